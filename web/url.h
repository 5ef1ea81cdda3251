#pragma once

#include <string_view>

#include "text/text.h"

namespace zelkor {

// The host of an address, in lower case. An address without a scheme is read as http.
// `keepPort` keeps a ":" and the port text behind the host. Empty when there is no host.
Text UrlHost(std::string_view url, bool keepPort = false);

// The port to connect to: the number behind the host's last ":" (0 when that text is empty or
// not a number), else 443 for an https address and 80 for any other.
int UrlPort(std::string_view url);

// Path and query to request, from the first "/" at or behind the host, case kept; "/" when none.
Text UrlPath(std::string_view url);

// The text behind the first ":" of a header line, trimmed; empty when the line has no ":".
Text HeaderValue(std::string_view line);

}  // namespace zelkor
