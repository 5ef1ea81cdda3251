#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

namespace zelkor {

// Where a request goes: the scheme, the host (lower case) and port to connect to, and the
// object path (path and query) as it is to be sent.
struct HttpTarget {
    bool secure = false;
    Text host;
    int port = 80;
    Text path = "/";

    bool operator==(const HttpTarget&) const = default;
};

// True for a host name or IPv4 address made only of letters, digits, "-", "." and "_".
bool IsUsableHost(std::string_view host);

// The target a "Location" value sends a request at `current` to: absolute http and https
// addresses, scheme-relative, absolute-path, query-only and relative references, the fragment
// dropped and "." and ".." segments resolved. Nothing for another scheme, an empty value, user
// information in the address, an unusable host or a port outside 1 to 65535.
std::optional<HttpTarget> ResolveLocation(const HttpTarget& current, std::string_view location);

// The path as it may stand on a request line: its bytes unchanged, except that a space, a
// control byte and 0x7F are percent-encoded (a request line cannot hold them).
Text RequestLineTarget(std::string_view path);

// "scheme://host:port" followed by the request-line form of the path.
std::string TargetAddress(const HttpTarget& target);

}  // namespace zelkor
