#include "web/url.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

struct UrlCase {
    std::string url;
    std::string host;
    std::string hostWithPort;
    int port;
    std::string path;
};

TEST(AddressSplitting, HostPortAndPath) {
    const UrlCase cases[] = {
        {"http://site.example/a/b.html", "site.example", "site.example", 80, "/a/b.html"},
        {"HTTP://Site.EXAMPLE/Dir/File.HTML", "site.example", "site.example", 80, "/Dir/File.HTML"},
        {"HTTPS://Site.Example/P?Q=1", "site.example", "site.example", 443, "/P?Q=1"},
        {"https://site.example", "site.example", "site.example", 443, "/"},
        {"site.example/x", "site.example", "site.example", 80, "/x"},
        {"site.example", "site.example", "site.example", 80, "/"},
        {"http://site.example:8080/x", "site.example", "site.example:8080", 8080, "/x"},
        {"http://site.example:/x", "site.example", "site.example:", 0, "/x"},
        {"http://site.example:0/x", "site.example", "site.example:0", 0, "/x"},
        {"http://site.example:99999/x", "site.example", "site.example:99999", 99999, "/x"},
        {"http://site.example:abc/x", "site.example", "site.example:abc", 0, "/x"},
        {"http://site.example?q=1", "site.example?q=1", "site.example?q=1", 80, "/"},
        {"http://site.example/s?k=\xC4\xE3#a&b", "site.example", "site.example", 80,
         "/s?k=\xC4\xE3#a&b"},
        // The host is looked for behind the scheme, not inside it.
        {"http://s/p", "s", "s", 80, "/p"},
        {"http://tp/p", "tp", "tp", 80, "/p"},
        // Bad input: no host, nothing at all.
        {"", "", "", 80, "/"},
        {"http://", "", "", 80, "/"},
        {"/only/a/path", "", "", 80, "/only/a/path"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(UrlHost(c.url), c.host);
        EXPECT_EQ(UrlHost(c.url, true), c.hostWithPort);
        EXPECT_EQ(UrlPort(c.url), c.port);
        EXPECT_EQ(UrlPath(c.url), c.path);
    }
}

TEST(AddressSplitting, HeaderValue) {
    EXPECT_EQ(HeaderValue("Location:  http://a/b  "), "http://a/b");
    EXPECT_EQ(HeaderValue("Location: http://a:81/b"), "http://a:81/b");
    EXPECT_EQ(HeaderValue("Name:"), "");
    EXPECT_EQ(HeaderValue("no colon"), "");
    EXPECT_EQ(HeaderValue(""), "");
}

}  // namespace
}  // namespace zelkor
