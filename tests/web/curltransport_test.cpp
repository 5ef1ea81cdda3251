#include "web/curltransport.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/loopbackserver.h"
#include "text/gbk.h"
#include "web/httprequest.h"

namespace zelkor {
namespace {

using testsupport::LoopbackServer;
using testsupport::ServerReply;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Every test fetches through a fresh libcurl transport (its own cookie store) with short
// time-outs, installed as the one FetchPageText uses.
class LoopbackFetch : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = InstallTransport(std::make_shared<CurlTransport>(CurlTimeouts{2000ms, 500ms}));
    }
    void TearDown() override { InstallTransport(previous_); }

    std::vector<std::string> Targets() const {
        std::vector<std::string> targets;
        for (const auto& request : server_.Requests()) {
            targets.push_back(request.target);
        }
        return targets;
    }

    LoopbackServer server_;

private:
    std::shared_ptr<HttpTransport> previous_;
};

TEST_F(LoopbackFetch, PlainFetchSendsTheExactRequest) {
    const std::string keyword = Gbk(u8"源码下载");
    const std::string path = "/search.php?k=" + keyword + "&p=2#top x";
    server_.Route("/search.php?k=" + keyword + "&p=2#top%20x",
                  ServerReply::Http(200, "Content-Type: text/html", "page"));

    EXPECT_EQ(FetchPageText(server_.Url(path)), "page");

    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto& request = requests[0];
    EXPECT_EQ(request.raw.substr(0, request.raw.find("\r\n")),
              "GET /search.php?k=" + keyword + "&p=2#top%20x HTTP/1.1");
    const std::vector<std::pair<std::string, std::string>> headers = {
        {"Host", "127.0.0.1:" + std::to_string(server_.Port())},
        {"User-Agent", DefaultUserAgent()},
        {"Referer", server_.Url(path)},
        {"Accept", "*/*"},
        {"Accept-Language", "zh-cn"},
        {"Content-Type", "application/x-www-form-urlencoded"},
    };
    EXPECT_EQ(request.headers, headers);
    EXPECT_TRUE(request.raw.ends_with("\r\n\r\n"));
}

TEST_F(LoopbackFetch, CookiesTravelToLaterFetchesAndAcrossRedirects) {
    server_.Route("/set", ServerReply::Http(200, "Set-Cookie: sid=abc; path=/", "set"));
    server_.Route("/login", ServerReply::Http(302, "Location: /home\r\nSet-Cookie: t=1; path=/"));
    server_.Route("/home", ServerReply::Http(200, {}, "home"));

    EXPECT_EQ(FetchPageText(server_.Url("/set")), "set");
    EXPECT_EQ(FetchPageText(server_.Url("/login")), "home");

    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_FALSE(requests[0].HasHeader("Cookie"));
    EXPECT_EQ(requests[1].Header("Cookie"), "sid=abc");
    const std::string home = requests[2].Header("Cookie");
    EXPECT_NE(home.find("sid=abc"), std::string::npos);
    EXPECT_NE(home.find("t=1"), std::string::npos);
    EXPECT_EQ(server_.ConnectionCount(), 1);
}

TEST_F(LoopbackFetch, GivenSendCookiesSwitchTheCookieStoreOff) {
    server_.Route("/set", ServerReply::Http(200, "Set-Cookie: sid=abc; path=/", "set"));
    server_.Route("/own", ServerReply::Http(200, "Set-Cookie: own=2; path=/", "own"));
    server_.Route("/check", ServerReply::Http(200, {}, "check"));
    FetchPageText(server_.Url("/set"));

    HttpRequestOptions options;
    options.sendCookies = "mine=1";
    HttpRequest(server_.Url("/own"), options);
    EXPECT_EQ(options.sendCookies, "own=2; mine=1");

    HttpRequestOptions emptyCookies;
    emptyCookies.sendCookies = "";
    HttpRequest(server_.Url("/check"), emptyCookies);
    FetchPageText(server_.Url("/check"));

    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1].Header("Cookie"), "mine=1");
    EXPECT_FALSE(requests[2].HasHeader("Cookie"));
    EXPECT_EQ(requests[3].Header("Cookie"), "sid=abc");
}

TEST_F(LoopbackFetch, RedirectsAbsoluteRelativeAndSwitchedOff) {
    server_.Route("/a/start", ServerReply::Http(301, "Location: " + server_.Url("/b/next")));
    server_.Route("/b/next", ServerReply::Http(302, "Location: ../c/end?x=1"));
    server_.Route("/c/end?x=1", ServerReply::Http(200, {}, "end"));

    EXPECT_EQ(FetchPageText(server_.Url("/a/start")), "end");
    EXPECT_EQ(Targets(), (std::vector<std::string>{"/a/start", "/b/next", "/c/end?x=1"}));

    HttpRequestOptions options;
    options.noRedirect = true;
    options.redirectTarget = "";
    EXPECT_EQ(BytesToText(HttpRequest(server_.Url("/b/next"), options)), "");
    EXPECT_EQ(options.redirectTarget, "../c/end?x=1");
    EXPECT_EQ(server_.Requests().size(), 4u);
}

TEST_F(LoopbackFetch, PostRedirectedWith303BecomesAGet) {
    server_.Route("/form", ServerReply::Http(303, "Location: /done"));
    server_.Route("/done", ServerReply::Http(200, {}, "done"));
    HttpRequestOptions options;
    options.method = 1;
    options.postText = "a=1&b=2";
    EXPECT_EQ(BytesToText(HttpRequest(server_.Url("/form"), options)), "done");
    const auto requests = server_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "a=1&b=2");
    EXPECT_EQ(requests[0].Header("Content-Length"), "7");
    EXPECT_FALSE(requests[0].HasHeader("Expect"));
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_EQ(requests[1].body, "");

    HttpRequestOptions emptyPost;
    emptyPost.method = 1;
    HttpRequest(server_.Url("/done"), emptyPost);
    ASSERT_EQ(server_.Requests().size(), 3u);
    EXPECT_EQ(server_.Requests()[2].method, "POST");
    EXPECT_EQ(server_.Requests()[2].Header("Content-Length"), "0");
}

TEST_F(LoopbackFetch, RedirectLoopStopsAfterTenHops) {
    server_.Route("/loop", ServerReply::Http(302, "Location: /loop", "again"));
    HttpRequestOptions options;
    options.rawHeaders = "";
    EXPECT_EQ(BytesToText(HttpRequest(server_.Url("/loop"), options)), "again");
    EXPECT_EQ(server_.Requests().size(), 11u);
    EXPECT_TRUE(options.rawHeaders->starts_with("HTTP/1.1 302 Found\r\n"));
}

TEST_F(LoopbackFetch, StatusBodiesZeroBytesAndLongHeaders) {
    server_.Route("/missing", ServerReply::Http(404, {}, "<h1>missing</h1>"));
    server_.Route("/zero", ServerReply::Http(200, {}, std::string("before\0after", 12)));
    server_.Route("/big", ServerReply::Http(200, "X-Big: " + std::string(6000, 'x'), "body"));
    server_.Route("/fits", ServerReply::Http(200, "X-Big: " + std::string(4000, 'x'), "body"));

    EXPECT_EQ(FetchPageText(server_.Url("/missing")), "<h1>missing</h1>");
    EXPECT_EQ(FetchPageText(server_.Url("/zero")), "before");

    HttpRequestOptions options;
    options.rawHeaders = "";
    EXPECT_EQ(HttpRequest(server_.Url("/zero"), options).size(), 12u);
    EXPECT_EQ(options.rawHeaders, "HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n");

    EXPECT_EQ(BytesToText(HttpRequest(server_.Url("/big"), options)), "body");
    EXPECT_EQ(options.rawHeaders, std::string(5000, ' '));
    HttpRequest(server_.Url("/fits"), options);
    EXPECT_TRUE(options.rawHeaders->ends_with("Content-Length: 4\r\n\r\n"));
}

TEST_F(LoopbackFetch, BrokenServersEndWithEmptyOrPartialResults) {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n";
    server_.Route("/drop", ServerReply::Raw(head + "0123456789").Close());
    server_.Route("/dropfirst", ServerReply::Raw("").Close());
    server_.Route("/stall", ServerReply::Raw(head + "0123").Pause(20s));
    server_.Route("/silent", ServerReply::Raw("").Pause(20s));

    const std::string dropped = FetchPageText(server_.Url("/drop"));
    EXPECT_TRUE(std::string("0123456789").starts_with(dropped)) << dropped;
    EXPECT_EQ(FetchPageText(server_.Url("/dropfirst")), "");
    EXPECT_EQ(
        FetchPageText("http://127.0.0.1:" + std::to_string(testsupport::UnusedLoopbackPort()) + "/"),
        "");

    for (const char* path : {"/stall", "/silent"}) {
        SCOPED_TRACE(path);
        const auto start = Clock::now();
        const std::string text = FetchPageText(server_.Url(path));
        EXPECT_TRUE(std::string("0123").starts_with(text)) << text;
        EXPECT_LT(Clock::now() - start, 3s);
    }
}

TEST_F(LoopbackFetch, BadAddressesGiveEmptyResults) {
    const std::string port = std::to_string(server_.Port());
    for (const std::string& url : std::vector<std::string>{
             "", "http://", "http:///x", "http://127.0.0.1:0/", "http://127.0.0.1:99999/",
             "http://127.0.0.1:/", "http://user@127.0.0.1:" + port + "/"}) {
        SCOPED_TRACE(url);
        HttpRequestOptions options;
        options.rawHeaders = "";
        EXPECT_EQ(BytesToText(HttpRequest(url, options)), "");
        EXPECT_TRUE(server_.Requests().empty());
    }
    // A query straight behind the port goes into the host text: the port still counts and
    // the path is "/".
    FetchPageText("http://127.0.0.1:" + port + "?q=1");
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].target, "/");
}

TEST_F(LoopbackFetch, ProxyReceivesTheWholeAddress) {
    server_.Route("http://far.example/x?k=" + Gbk(u8"源码"), ServerReply::Http(200, {}, "proxied"));
    HttpRequestOptions options;
    options.proxy = "127.0.0.1:" + std::to_string(server_.Port());
    EXPECT_EQ(BytesToText(HttpRequest("http://far.example/x?k=" + Gbk(u8"源码"), options)),
              "proxied");
    ASSERT_EQ(server_.Requests().size(), 1u);
    EXPECT_EQ(server_.Requests()[0].Header("Host"), "far.example");
}

}  // namespace
}  // namespace zelkor
