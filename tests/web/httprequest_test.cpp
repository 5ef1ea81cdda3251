#include "web/httprequest.h"

#include <gtest/gtest.h>

#include "tests/web/faketransport.h"

namespace zelkor {
namespace {

using testsupport::FakeTransport;
using Calls = std::vector<std::string>;

constexpr std::string_view kUrl = "http://Site.Example:8080/List/Page_2.html?k=a#top";

std::string DefaultBlock(std::string_view url) {
    return "Referer: " + std::string(url) +
           "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
           "application/x-www-form-urlencoded";
}

HttpRequestOptions AllOptionsGiven() {
    HttpRequestOptions options;
    options.method = 0;
    options.postText = "p";
    options.sendCookies = "s=1";
    options.receivedCookies = "r-in";
    options.extraHeaders = "X-In: 1";
    options.redirectTarget = "t-in";
    options.noRedirect = false;
    options.postBytes = ByteBuffer{1, 2};
    options.proxy = "127.0.0.1:1";
    options.rawHeaders = "h-in";
    return options;
}

bool SameOptions(const HttpRequestOptions& a, const HttpRequestOptions& b) {
    return a.method == b.method && a.postText == b.postText && a.sendCookies == b.sendCookies &&
           a.receivedCookies == b.receivedCookies && a.extraHeaders == b.extraHeaders &&
           a.redirectTarget == b.redirectTarget && a.noRedirect == b.noRedirect &&
           a.postBytes == b.postBytes && a.proxy == b.proxy && a.rawHeaders == b.rawHeaders;
}

TEST(HttpRequestEngine, PlainGetMakesTheCallsInOrderWithTheDefaults) {
    FakeTransport transport;
    transport.script.bodyPieces = {"hello ", "world"};
    transport.script.rawHeaders = "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n";
    HttpRequestOptions none;

    const ByteBuffer body = HttpRequest(transport, kUrl, none);

    EXPECT_EQ(BytesToText(body), "hello world");
    EXPECT_EQ(transport.log.calls,
              (Calls{"open", "connect", "open request", "send", "read", "read", "read", "query",
                     "close request", "close connection", "close session"}));
    const auto& log = transport.log;
    EXPECT_EQ(log.userAgent, DefaultUserAgent());
    EXPECT_EQ(log.accessType, AccessType::kDirect);
    EXPECT_EQ(log.proxyList, "");
    EXPECT_EQ(log.host, "site.example");
    EXPECT_EQ(log.port, 8080);
    EXPECT_EQ(log.verb, "GET");
    EXPECT_EQ(log.path, "/List/Page_2.html?k=a#top");
    EXPECT_EQ(log.version, "HTTP/1.1");
    EXPECT_EQ(log.flags, 0x80004010u);
    EXPECT_EQ(log.headerBlock, DefaultBlock(kUrl));
    EXPECT_FALSE(log.body.has_value());
    EXPECT_EQ(log.readBufferSizes, (std::vector<std::size_t>{1024, 1024, 1024}));
    EXPECT_TRUE(log.readBuffersZeroed);
    EXPECT_EQ(log.queryBufferSize, 5000u);
    EXPECT_TRUE(log.queryBufferSpaces);
    EXPECT_EQ(SameOptions(none, HttpRequestOptions{}), true);
}

TEST(HttpRequestEngine, OpenFailuresCloseWhatWasOpenedAndTouchNoOption) {
    struct Case {
        const char* name;
        void (*fail)(FakeTransport::Script&);
        Calls calls;
    };
    const Case cases[] = {
        {"session", [](auto& s) { s.openFails = true; }, {"open"}},
        {"connection",
         [](auto& s) { s.connectFails = true; },
         {"open", "connect", "close session"}},
        {"request",
         [](auto& s) { s.openRequestFails = true; },
         {"open", "connect", "open request", "close connection", "close session"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTransport transport;
        c.fail(transport.script);
        HttpRequestOptions options = AllOptionsGiven();
        EXPECT_TRUE(HttpRequest(transport, kUrl, options).empty());
        EXPECT_EQ(transport.log.calls, c.calls);
        EXPECT_TRUE(SameOptions(options, AllOptionsGiven()));
    }
}

TEST(HttpRequestEngine, RequestFlags) {
    struct Case {
        std::string_view url;
        HttpRequestOptions options;
        std::uint32_t flags;
    };
    HttpRequestOptions emptyCookies;
    emptyCookies.sendCookies = "";
    HttpRequestOptions noRedirect;
    noRedirect.noRedirect = true;
    HttpRequestOptions redirectAllowed;
    redirectAllowed.noRedirect = false;
    const Case cases[] = {
        {"http://a/", {}, 0x80004010},
        {"https://a/", {}, 0x80800010},
        {"HTTPS://A/", {}, 0x80800010},
        {"a.example/x", {}, 0x80004010},
        {"http://a/", emptyCookies, 0x80084010},
        {"https://a/", noRedirect, 0x80A00010},
        {"http://a/", redirectAllowed, 0x80004010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(RequestFlags(c.url, c.options), c.flags);
    }
}

TEST(HttpRequestEngine, HeaderBlockAndUserAgentFromTheCallersHeaders) {
    struct Case {
        std::string extraHeaders;
        std::string userAgent;
        std::string block;
    };
    const std::string url = "http://a/";
    const std::string tail =
        "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
        "application/x-www-form-urlencoded";
    const Case cases[] = {
        {"", DefaultUserAgent(), DefaultBlock(url)},
        {"Referer: http://r/", DefaultUserAgent(), "Referer: http://r/" + tail},
        {"referer: http://r/", DefaultUserAgent(), "referer: http://r/\r\nReferer: " + url + tail},
        {"User-Agent: Bot/1\r\nX: y", "Bot/1",
         "User-Agent: Bot/1\r\nX: y\r\nReferer: " + url + tail},
        {"X: y\r\nUser-Agent: Bot/1", "y\r\nUser-Agent: Bot/1",
         "X: y\r\nUser-Agent: Bot/1\r\nReferer: " + url + tail},
        {"user-agent: low\r\n", "low\r\n", "user-agent: low\r\n\r\nReferer: " + url + tail},
        {"Accept: text/html\r\nContent-Type: text/plain\r\nAccept-Language: en", DefaultUserAgent(),
         "Accept: text/html\r\nContent-Type: text/plain\r\nAccept-Language: en\r\nReferer: " + url},
        {"no colon here", DefaultUserAgent(), "no colon here\r\nReferer: " + url + tail},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extraHeaders);
        FakeTransport transport;
        HttpRequestOptions options;
        options.extraHeaders = c.extraHeaders;
        HttpRequest(transport, url, options);
        EXPECT_EQ(transport.log.userAgent, c.userAgent);
        EXPECT_EQ(transport.log.headerBlock, c.block);
        EXPECT_EQ(options.extraHeaders, c.block);
    }
}

TEST(HttpRequestEngine, SendCookiesGoOnACookieLineAndComeBackMerged) {
    FakeTransport transport;
    transport.script.rawHeaders =
        "HTTP/1.1 200 OK\r\nSet-Cookie: b=3; path=/\r\nSet-Cookie: c=deleted; path=/\r\n\r\n";
    HttpRequestOptions options;
    options.sendCookies = "a=1; b=2";
    options.receivedCookies = "";
    HttpRequest(transport, "http://a/", options);
    EXPECT_EQ(transport.log.headerBlock, DefaultBlock("http://a/") + "\r\nCookie: a=1; b=2");
    EXPECT_EQ(transport.log.flags & requestflag::kNoCookies, requestflag::kNoCookies);
    EXPECT_EQ(options.sendCookies, "b=3; a=1");
    EXPECT_EQ(options.receivedCookies, "b=3;c=deleted");
}

TEST(HttpRequestEngine, MethodDecidesVerbAndBody) {
    struct Case {
        const char* name;
        std::optional<int> method;
        std::optional<Text> postText;
        std::optional<ByteBuffer> postBytes;
        std::string verb;
        std::optional<std::string> body;
        std::optional<ByteBuffer> postBytesAfter;
    };
    const Case cases[] = {
        {"no method, text set", std::nullopt, "k=v", std::nullopt, "GET", std::nullopt,
         std::nullopt},
        {"method 0 sends nothing", 0, "k=v", ByteBuffer{'x'}, "GET", std::nullopt, ByteBuffer{'x'}},
        {"post text", 1, "k=v", std::nullopt, "POST", "k=v", std::nullopt},
        {"post text fills given empty bytes", 1, "k=v", ByteBuffer{}, "POST", "k=v",
         ByteBuffer{'k', '=', 'v'}},
        {"bytes win over text", 1, "k=v", ByteBuffer{'b', 0, 'c'}, "POST", std::string("b\0c", 3),
         ByteBuffer{'b', 0, 'c'}},
        {"method 2 is a GET with a body", 2, "k=v", std::nullopt, "GET", "k=v", std::nullopt},
        {"empty post body", 1, std::nullopt, std::nullopt, "POST", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeTransport transport;
        HttpRequestOptions options;
        options.method = c.method;
        options.postText = c.postText;
        options.postBytes = c.postBytes;
        HttpRequest(transport, "http://a/", options);
        EXPECT_EQ(transport.log.verb, c.verb);
        EXPECT_EQ(transport.log.body, c.body);
        EXPECT_EQ(options.postBytes, c.postBytesAfter);
    }
}

TEST(HttpRequestEngine, ProxyIsUsedWhenGiven) {
    FakeTransport transport;
    HttpRequestOptions options;
    options.proxy = "";
    HttpRequest(transport, "http://a/", options);
    EXPECT_EQ(transport.log.accessType, AccessType::kProxy);
    EXPECT_EQ(transport.log.proxyList, "http=");
    EXPECT_EQ(transport.log.bypassList, "");

    options.proxy = "127.0.0.1:3128";
    HttpRequest(transport, "http://a/", options);
    EXPECT_EQ(transport.log.proxyList, "http=127.0.0.1:3128");
}

TEST(HttpRequestEngine, ShortReadsAreJoinedInOrder) {
    FakeTransport transport;
    const std::string full(1024, 'F');
    transport.script.bodyPieces = {"a", full, std::string("b\0c", 3), "d"};
    HttpRequestOptions none;
    const ByteBuffer body = HttpRequest(transport, "http://a/", none);
    const std::string expected = "a" + full + std::string("b\0c", 3) + "d";
    EXPECT_EQ(std::string(body.begin(), body.end()), expected);
}

TEST(HttpRequestEngine, RawHeadersAndTheHeaderStepResults) {
    const std::string headers =
        "HTTP/1.1 302 Found\r\nLocation: http://b/next\r\nSet-Cookie: a=1; path=/\r\n\r\n";
    FakeTransport transport;
    transport.script.rawHeaders = headers;
    HttpRequestOptions options;
    options.rawHeaders = "";
    options.redirectTarget = "";
    options.receivedCookies = "";
    HttpRequest(transport, "http://a/", options);
    EXPECT_EQ(options.rawHeaders, headers);
    EXPECT_EQ(options.redirectTarget, "http://b/next");
    EXPECT_EQ(options.receivedCookies, "a=1");
}

TEST(HttpRequestEngine, FailedHeaderQueryLeavesFiveThousandSpaces) {
    const std::string spaces(5000, ' ');
    for (const auto& headers :
         {std::optional<std::string>(), std::optional(std::string(5000, 'h'))}) {
        FakeTransport transport;
        transport.script.rawHeaders = headers;
        HttpRequestOptions options;
        options.rawHeaders = "";
        options.redirectTarget = "";
        options.receivedCookies = "old";
        HttpRequest(transport, "http://a/", options);
        EXPECT_EQ(options.rawHeaders, spaces);
        EXPECT_EQ(options.redirectTarget, spaces);
        EXPECT_EQ(options.receivedCookies, "");
    }
}

TEST(FetchPageText, CutsAtTheFirstZeroByteAndUsesTheInstalledTransport) {
    auto transport = std::make_shared<FakeTransport>();
    transport->script.bodyPieces = {std::string("<html>\0tail", 11)};
    const auto previous = InstallTransport(transport);
    EXPECT_EQ(FetchPageText("http://a/"), "<html>");
    transport->script.openFails = true;
    EXPECT_EQ(FetchPageText("http://a/"), "");
    InstallTransport(previous);
    EXPECT_EQ(transport->log.flags, 0x80004010u);
}

}  // namespace
}  // namespace zelkor
