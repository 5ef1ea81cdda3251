#include "web/redirect.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

TEST(RedirectResolution, LocationsSeenFromARequest) {
    const HttpTarget current{false, "a.example", 8080, "/dir/page.html?q=1"};
    struct Case {
        std::string location;
        std::optional<HttpTarget> next;
    };
    const Case cases[] = {
        {"http://B.Example/x?y#frag", HttpTarget{false, "b.example", 80, "/x?y"}},
        {"HTTPS://b.example:8443", HttpTarget{true, "b.example", 8443, "/"}},
        {"https://b.example?k=1", HttpTarget{true, "b.example", 443, "/?k=1"}},
        {"//c.example/z", HttpTarget{false, "c.example", 80, "/z"}},
        {"/root/\xC4\xE3 x?a&b", HttpTarget{false, "a.example", 8080, "/root/\xC4\xE3 x?a&b"}},
        {"other.html", HttpTarget{false, "a.example", 8080, "/dir/other.html"}},
        {"../up/./there?x=../y", HttpTarget{false, "a.example", 8080, "/up/there?x=../y"}},
        {"../../../..", HttpTarget{false, "a.example", 8080, "/"}},
        {"sub/..", HttpTarget{false, "a.example", 8080, "/dir/"}},
        {"?p=2", HttpTarget{false, "a.example", 8080, "/dir/page.html?p=2"}},
        {"", std::nullopt},
        {"#only", std::nullopt},
        {"ftp://b.example/f", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"http://user@b.example/", std::nullopt},
        {"http://b.example:0/", std::nullopt},
        {"http://b.example:99999/", std::nullopt},
        {"http://b.example:8x/", std::nullopt},
        {"http:///nohost", std::nullopt},
        {"http://b\r\nX: y/", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        EXPECT_EQ(ResolveLocation(current, c.location), c.next);
    }
}

TEST(RedirectResolution, RequestLineKeepsBytesButEncodesWhatALineCannotHold) {
    EXPECT_EQ(RequestLineTarget("/s?k=\xC4\xE3#a&b"), "/s?k=\xC4\xE3#a&b");
    EXPECT_EQ(RequestLineTarget("/a b"), "/a%20b");
    EXPECT_EQ(RequestLineTarget(std::string_view("/\r\n\t\x7F\0", 6)), "/%0D%0A%09%7F%00");
    EXPECT_EQ(TargetAddress(HttpTarget{true, "h", 8443, "/a b"}), "https://h:8443/a%20b");
}

}  // namespace
}  // namespace zelkor
