#pragma once

#include <optional>

#include "text/text.h"

namespace zelkor {

// The request engine's optional arguments. An option is "given" when it holds a value; some act
// on being given at all (`sendCookies`, `proxy`), the rest only on their value. Output and
// in-and-out options are written back only when given.
struct HttpRequestOptions {
    // 1 selects POST, anything else GET; any value but 0 makes the request carry a body.
    std::optional<int> method;
    // Body used when `postBytes` is empty.
    std::optional<Text> postText;
    // In and out. Given (even empty): the transport's own cookies are off for this request, a
    // non-empty value is sent as the Cookie line, and the received cookies are merged into it.
    std::optional<Text> sendCookies;
    // Out: "name=value" entries of the response's Set-Cookie lines, joined by "; ".
    std::optional<Text> receivedCookies;
    // In and out: the caller's header lines (CR LF separated); comes back completed.
    std::optional<Text> extraHeaders;
    // In and out: the last Location value, else (when still empty) the whole raw header text.
    std::optional<Text> redirectTarget;
    // True: the transport does not follow redirects.
    std::optional<bool> noRedirect;
    // In and out: the body; an empty one is first replaced by the bytes of `postText`.
    std::optional<ByteBuffer> postBytes;
    // Given: the transport is opened through the proxy "http=" + value.
    std::optional<Text> proxy;
    // Out: the raw response header text, or 5000 spaces when the transport reported none.
    std::optional<Text> rawHeaders;
};

}  // namespace zelkor
