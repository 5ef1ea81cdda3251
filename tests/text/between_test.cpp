#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "text/between.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

struct BetweenCase {
    std::string name;
    Text text, left, right, expected;
};

void PrintTo(const BetweenCase& c, std::ostream* os) {
    *os << c.name;
}

class TextBetweenTest : public testing::TestWithParam<BetweenCase> {};

TEST_P(TextBetweenTest, Cuts) {
    const BetweenCase& c = GetParam();
    EXPECT_EQ(TextBetween(c.text, c.left, c.right), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextBetweenTest,
                         testing::Values(BetweenCase{"leftOnly", "x=1;y=2", "y=", "", "2"},
                                         BetweenCase{"rightOnly", "x=1;y=2", "", ";", "x=1"},
                                         BetweenCase{"both", "x=1;y=2", "x=", ";", "1"},
                                         BetweenCase{"leftMissing", "abc", "z", "c", ""},
                                         BetweenCase{"rightMissing", "abc", "a", "z", ""},
                                         BetweenCase{"touching", "abcabc", "b", "c", ""},
                                         BetweenCase{"rightOnlyInFront", "cab", "a", "c", ""},
                                         BetweenCase{"bothEmpty", "abc", "", "", "abc"},
                                         BetweenCase{"bothEmptyEmptyText", "", "", "", ""},
                                         BetweenCase{"leftAtEnd", "abc", "c", "", ""},
                                         BetweenCase{"textBeginsWithRight", "abc", "", "a", ""},
                                         BetweenCase{"firstLeftOnly", "[1][2]", "[", "]", "1"}),
                         [](const auto& info) { return info.param.name; });

TEST(TextBetweenTest, CutsChineseMarkers) {
    const Text page = Gbk(u8"<p>总数：<b>57</b> 页：<font>1</font>/3</b></p>");
    EXPECT_EQ(TextBetween(page, Gbk(u8"总数：<b>"), "</b>"), "57");
    EXPECT_EQ(TextBetween(page, "</font>/", "</b>"), "3");
}

struct ExtractCase {
    std::string name;
    Text text, left, right;
    int start;
    bool ignoreCase;
    Text expected;
};

void PrintTo(const ExtractCase& c, std::ostream* os) {
    *os << c.name;
}

class ExtractBetweenTest : public testing::TestWithParam<ExtractCase> {};

TEST_P(ExtractBetweenTest, Cuts) {
    const ExtractCase& c = GetParam();
    EXPECT_EQ(ExtractBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtractBetweenTest,
    testing::Values(
        ExtractCase{"quoteToken", "href=\"a/b\" x", Gbk(u8"#引号"), Gbk(u8"#引号"), 1, false,
                    "a/b"},
        ExtractCase{"quoteTokenInsideMarker", "<a href=\"u\">", Gbk(u8"href=#引号"),
                    Gbk(u8"#引号>"), 1, false, "u"},
        ExtractCase{"emptyRight", "abc", "b", "", 1, false, ""},
        ExtractCase{"emptyLeft", "abc", "", "c", 1, false, "ab"},
        ExtractCase{"bothEmpty", "abc", "", "", 1, false, ""},
        ExtractCase{"touching", "abcabc", "b", "c", 1, false, ""},
        ExtractCase{"fromStart", "a1a2a", "a", "a", 3, false, "2"},
        ExtractCase{"leftMissing", "abc", "z", "c", 1, false, ""},
        ExtractCase{"leftAtEnd", "abc", "c", "a", 1, false, ""},
        ExtractCase{"ignoreCase", "X-KEY: v\r\n", "x-key:", "\r\n", 1, true, " v"},
        ExtractCase{"caseSensitiveMiss", "X-KEY: v\r\n", "x-key:", "\r\n", 1, false, ""},
        ExtractCase{"downloadKey", "down.php?a_k=Zm9v%3D\"", "a_k=", "3D", 1, false, "Zm9v%"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace zelkor
