#pragma once

#include <string_view>

#include "web/httprequestoptions.h"

namespace zelkor {

// The request engine's header step over a response's raw header text: writes the received
// cookies (the "name=value" of each "Set-Cookie" line, joined by "; ") and the redirect target
// (the last "Location:" value; when that leaves it empty, the whole raw text) into the given
// options, and merges the received cookies into `sendCookies` when that option is given.
// Header names are matched case-sensitively.
void ApplyResponseHeaders(std::string_view rawHeaders, HttpRequestOptions& options);

}  // namespace zelkor
