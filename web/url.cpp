#include "web/url.h"

#include "text/between.h"

namespace zelkor {

namespace {

bool StartsWithHttps(std::string_view url) {
    return TextLeft(ToLower(url), 5) == "https";
}

// Where the host part begins: behind the scheme marker that UrlHost cut at, so that a host
// such as "s" or "tp" is not found inside the scheme itself.
int HostSearchStart(std::string_view url) {
    const Text lower = ToLower(url);
    for (std::string_view marker : {"https://", "http://"}) {
        const int p = FindText(lower, marker);
        if (p == 1 || (p != kNotFound && marker == "http://")) {
            return p + TextLength(marker);
        }
    }
    return 1;
}

}  // namespace

Text UrlHost(std::string_view url, bool keepPort) {
    Text h = ToLower(url);
    if (h.empty() || h.back() != '/') {
        h += '/';
    }
    Text marker = "https://";
    if (TextLeft(h, 8) != marker) {
        marker = "http://";
        if (FindText(h, marker) == kNotFound) {
            h.insert(0, marker);
        }
    }
    h = ExtractBetween(h, marker, "/");
    if (!keepPort) {
        const int colon = FindText(h, ":");
        if (colon != kNotFound) {
            h = TextLeft(h, colon - 1);
        }
    }
    return h;
}

int UrlPort(std::string_view url) {
    const Text h = UrlHost(url, true);
    const int colon = FindTextReverse(h, ":");
    if (colon == kNotFound) {
        return StartsWithHttps(url) ? 443 : 80;
    }
    return ToInteger(TextMid(h, colon + 1, TextLength(h)));
}

Text UrlPath(std::string_view url) {
    const Text h = UrlHost(url);
    const int a = FindText(url, h, HostSearchStart(url), true);
    if (a == kNotFound) {
        return "/";
    }
    const int b = FindText(url, "/", a, true);
    if (b <= 0) {
        return "/";
    }
    return TextRight(url, TextLength(url) - b + 1);
}

Text HeaderValue(std::string_view line) {
    const int colon = FindText(line, ":");
    if (colon == kNotFound) {
        return {};
    }
    return TrimSpaces(TextMid(line, colon + 1, TextLength(line)));
}

}  // namespace zelkor
