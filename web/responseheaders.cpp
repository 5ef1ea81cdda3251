#include "web/responseheaders.h"

#include "text/between.h"
#include "web/cookies.h"
#include "web/url.h"

namespace zelkor {

void ApplyResponseHeaders(std::string_view rawHeaders, HttpRequestOptions& options) {
    Text redirectTarget = options.redirectTarget.value_or(Text());
    Text receivedCookies;
    for (const Text& line : SplitText(rawHeaders, "\r\n")) {
        if (FindText(line, "Location:") != kNotFound) {
            redirectTarget = HeaderValue(line);
        }
        if (FindText(line, "Set-Cookie") != kNotFound) {
            receivedCookies += TrimSpaces(ExtractBetween(line, "Set-Cookie:", ";"));
            receivedCookies += "; ";
        }
    }
    receivedCookies = TextLeft(receivedCookies, TextLength(receivedCookies) - 2);
    if (options.sendCookies) {
        MergeCookies(*options.sendCookies, receivedCookies);
    }
    if (redirectTarget.empty()) {
        redirectTarget = Text(rawHeaders);
    }
    if (options.receivedCookies) {
        options.receivedCookies = std::move(receivedCookies);
    }
    if (options.redirectTarget) {
        options.redirectTarget = std::move(redirectTarget);
    }
}

}  // namespace zelkor
