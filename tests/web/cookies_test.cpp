#include <gtest/gtest.h>

#include <optional>

#include "web/cookies.h"
#include "web/responseheaders.h"

namespace zelkor {
namespace {

TEST(HeaderStep, CookiesAndRedirectTarget) {
    struct Case {
        const char* name;
        std::string raw;
        std::string cookies;
        std::optional<std::string> location;  // nothing: the raw text comes back instead
    };
    const Case cases[] = {
        {"two cookies",
         "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2; HttpOnly\r\n\r\n",
         "a=1; b=2", std::nullopt},
        {"no cookie", "HTTP/1.1 200 OK\r\nServer: s\r\n\r\n", "", std::nullopt},
        {"cookie without attributes leaves an empty entry",
         "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; p\r\nSet-Cookie: x=9\r\nSet-Cookie: c=3; p\r\n\r\n",
         "a=1; ; c=3", std::nullopt},
        {"location", "HTTP/1.1 302 Found\r\nLocation: http://b/x\r\n\r\n", "", "http://b/x"},
        {"last location wins", "HTTP/1.1 302 Found\r\nLocation: /one\r\nX-Location: /two\r\n\r\n",
         "", "/two"},
        {"one line may carry both", "HTTP/1.1 302 Found\r\nSet-Cookie: Location:=1; p\r\n\r\n",
         "Location:=1", "Location:=1; p"},
        {"lower-case names are not recognised",
         "HTTP/1.1 302 Found\r\nlocation: /x\r\nset-cookie: a=1;\r\n\r\n", "", std::nullopt},
        {"no headers at all", std::string(5000, ' '), "", std::nullopt},
        {"empty", "", "", std::nullopt},
        {"lines without colon", "junk\r\nmore junk", "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HttpRequestOptions options;
        options.receivedCookies = "stale";
        options.redirectTarget = "";
        ApplyResponseHeaders(c.raw, options);
        EXPECT_EQ(options.receivedCookies, c.cookies);
        EXPECT_EQ(options.redirectTarget, c.location.value_or(c.raw));
    }
}

TEST(HeaderStep, GivenRedirectTargetIsKeptWithoutLocation) {
    HttpRequestOptions options;
    options.redirectTarget = "kept";
    ApplyResponseHeaders("HTTP/1.1 200 OK\r\n\r\n", options);
    EXPECT_EQ(options.redirectTarget, "kept");
    EXPECT_FALSE(options.receivedCookies.has_value());
    EXPECT_FALSE(options.sendCookies.has_value());
}

TEST(HeaderStep, MergesIntoGivenSendCookiesEvenWhenEmpty) {
    HttpRequestOptions options;
    options.sendCookies = "";
    ApplyResponseHeaders("HTTP/1.1 200 OK\r\nSet-Cookie: a = 1 ; path=/\r\n\r\n", options);
    EXPECT_EQ(options.sendCookies, "a=1");
}

TEST(CookieMerge, Cases) {
    struct Case {
        std::string oldCookies;
        std::string newCookies;
        std::string merged;
        std::string newAfter;
    };
    const Case cases[] = {
        {"a=1; b=2", "b=3; c=deleted", "b=3; a=1", "b=3;c=deleted"},
        {"a=1; c=7", "c=deleted", "a=1", "c=deleted"},
        {"x=1; x=2", "", "x=1", ""},
        {"k=a b", "", "k=ab", ""},
        {"", "", "", ""},
        {"a=1", "a=deleted", "", "a=deleted"},
        {"gone=deleted; a=1", "", "a=1", ""},
        {";;; ;", "; ;", "", ";;"},
        {"flag; a=1", "flag", "flag; a=1", "flag"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.oldCookies + " | " + c.newCookies);
        Text oldCookies = c.oldCookies;
        Text newCookies = c.newCookies;
        const Text returned = MergeCookies(oldCookies, newCookies);
        EXPECT_EQ(oldCookies, c.merged);
        EXPECT_EQ(returned, c.merged);
        EXPECT_EQ(newCookies, c.newAfter);
    }
}

TEST(CookieMerge, Helpers) {
    EXPECT_EQ(JoinDistinct("a; b; a", "; "), "a; b");
    EXPECT_EQ(JoinDistinct("", "; "), "");
    EXPECT_EQ(JoinDistinct("a;;a", ";"), "a;");
    EXPECT_EQ(CookieName(" sid = x=y "), "sid");
    EXPECT_EQ(CookieName(" flag "), "flag");
    EXPECT_EQ(CookieName(""), "");
    const std::vector<Text> list = {"a=1", "b=2", "a=1"};
    EXPECT_TRUE(HasCookieName(list, "b"));
    EXPECT_FALSE(HasCookieName(list, "c"));
    EXPECT_EQ(IndexOfText(list, "a=1"), 1);
    EXPECT_EQ(IndexOfText(list, "b=2"), 2);
    EXPECT_EQ(IndexOfText(list, "b"), -1);
}

}  // namespace
}  // namespace zelkor
