#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "text/text.h"
#include "web/httprequestoptions.h"
#include "web/transport.h"

namespace zelkor {

// The user agent sent unless the caller's header text carries a "User-Agent:" line.
const Text& DefaultUserAgent();

// The flags a request for `url` is opened with under `options`.
std::uint32_t RequestFlags(std::string_view url, const HttpRequestOptions& options);

// Requests `url` through `transport` and returns the response body, whatever its status; an
// empty buffer when the session, the connection or the request cannot be opened (and then no
// option is touched). Given in-and-out and output options are written back.
ByteBuffer HttpRequest(HttpTransport& transport, std::string_view url, HttpRequestOptions& options);
// The same through the installed transport.
ByteBuffer HttpRequest(std::string_view url, HttpRequestOptions& options);
ByteBuffer HttpRequest(std::string_view url);

// A plain GET through the installed transport; the body up to its first zero byte, read as GBK
// text; the empty text on any failure.
Text FetchPageText(std::string_view url);

// Makes `transport` the one that FetchPageText and HttpRequest without a transport use, and
// returns the one installed before. An empty pointer installs the process-wide libcurl
// transport, which is also the one in use until the first call.
std::shared_ptr<HttpTransport> InstallTransport(std::shared_ptr<HttpTransport> transport);

}  // namespace zelkor
