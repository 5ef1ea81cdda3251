// Address splitting, redirect resolution, the header step and the cookie merge over any bytes.
// The input is cut at the first two zero bytes into an address, a header text and a cookie text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "web/cookies.h"
#include "web/redirect.h"
#include "web/responseheaders.h"
#include "web/url.h"

namespace {

std::string_view TakePart(std::string_view& rest) {
    const auto end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelkor;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view url = TakePart(rest);
    const std::string_view headers = TakePart(rest);
    const std::string_view cookies = rest;

    const Text host = UrlHost(url);
    const Text hostWithPort = UrlHost(url, true);
    if (host.size() > hostWithPort.size()) {
        __builtin_trap();
    }
    UrlPort(url);
    const Text path = UrlPath(url);
    if (path.empty() || path.front() != '/' || path.size() > url.size() + 1) {
        __builtin_trap();
    }
    HeaderValue(headers);
    JoinDistinct(cookies, headers);

    HttpTarget current{false, "a.example", 80, path};
    if (const auto next = ResolveLocation(current, headers)) {
        if (!IsUsableHost(next->host) || next->port < 1 || next->port > 65535 ||
            next->path.empty() || next->path.front() != '/') {
            __builtin_trap();
        }
    }
    for (const char c : RequestLineTarget(path)) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) {
            __builtin_trap();
        }
    }

    HttpRequestOptions options;
    options.sendCookies = Text(cookies);
    options.receivedCookies = Text();
    options.redirectTarget = Text();
    ApplyResponseHeaders(headers, options);

    Text oldCookies(cookies);
    Text newCookies(headers);
    const Text merged = MergeCookies(oldCookies, newCookies);
    if (merged != oldCookies || RemoveSpaces(newCookies) != newCookies) {
        __builtin_trap();
    }
    return 0;
}
