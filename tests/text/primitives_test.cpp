#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "text/gbk.h"
#include "text/text.h"

namespace zelkor {
namespace {

// Two GBK characters: 数 (0xCA 0xFD) and 据 (0xBE 0xDD).
const Text kShuJu = "\xCA\xFD\xBE\xDD";

struct FindCase {
    std::string name;
    Text text;
    Text sought;
    int start;
    bool ignoreCase;
    int expected;
};

void PrintTo(const FindCase& c, std::ostream* os) {
    *os << c.name;
}

class FindTextTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, FindsAtCharacterStarts) {
    const FindCase& c = GetParam();
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    testing::Values(FindCase{"plain", "abcabc", "c", 1, false, 3},
                    FindCase{"fromStart", "abcabc", "c", 4, false, 6},
                    FindCase{"startBelowOneIsOne", "abc", "a", -7, false, 1},
                    FindCase{"startBeyondEnd", "abc", "c", 4, false, -1},
                    FindCase{"emptySoughtInside", "abc", "", 2, false, 1},
                    FindCase{"emptySoughtBeyond", "abc", "", 5, false, -1},
                    FindCase{"emptySoughtEmptyText", "", "", 1, false, -1},
                    FindCase{"trailByteIsNoStart", "\x81\x41", "A", 1, false, -1},
                    FindCase{"afterTwoByteChar",
                             "\x81\x41"
                             "A",
                             "A", 1, false, 3},
                    FindCase{"evenLeadRun",
                             "\xCA\xFD\xBE\xDD"
                             "A",
                             "A", 1, false, 5},
                    FindCase{"trailThatLooksLikeLead", "\xCA\xCA\xCA", "\xCA\xCA", 1, false, 1},
                    FindCase{"pairAfterAscii", "a\xCA\xCA\xCA\xCA", "\xCA\xCA", 1, false, 2},
                    FindCase{"startTakenAsCharStart", "\x81\x41", "A", 2, false, 2},
                    FindCase{"danglingLeadEndsScan", "a\x81", "\x81", 1, false, -1},
                    FindCase{"caseSensitiveMiss", "Hello", "hello", 1, false, -1},
                    FindCase{"ignoreCaseHit", "xxHeLLo", "hello", 1, true, 3},
                    FindCase{"ignoreCaseLeavesHighBytes", kShuJu, "\xEA\xFD", 1, true, -1},
                    FindCase{"chineseMarker", "ab" + kShuJu + "cd", kShuJu, 1, false, 3}),
    [](const auto& info) { return info.param.name; });

TEST(FindTextReverseTest, FindsLastOccurrenceAtCharacterStart) {
    EXPECT_EQ(FindTextReverse("a/b/c", "/"), 4);
    EXPECT_EQ(FindTextReverse("abc", "z"), -1);
    EXPECT_EQ(FindTextReverse("aAa", "A"), 2);
    // The last 'A' is the trail byte of 0x81 0x41; the earlier one counts.
    EXPECT_EQ(FindTextReverse("A\x81"
                              "A",
                              "A"),
              1);
}

TEST(SliceTest, SlicesCountBytesNotCharacters) {
    EXPECT_EQ(TextLeft("abc", 2), "ab");
    EXPECT_EQ(TextLeft("abc", 9), "abc");
    EXPECT_EQ(TextLeft("abc", 0), "");
    EXPECT_EQ(TextRight("abc", 2), "bc");
    EXPECT_EQ(TextRight("abc", -1), "");
    EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(TextMid("abc", 2, 99), "bc");
    EXPECT_EQ(TextMid("abc", 0, 2), "");
    EXPECT_EQ(TextMid("abc", 4, 1), "");
    EXPECT_EQ(TextMid("abc", 1, 0), "");
    EXPECT_EQ(TextMid(kShuJu, 2, 2), "\xFD\xBE");
    EXPECT_EQ(TextLength(kShuJu), 4);
}

TEST(SpacesTest, TrimAndRemoveKnowBothSpaces) {
    const Text ideographic = "\xA1\xA1";
    EXPECT_EQ(TrimSpaces("  x  "), "x");
    EXPECT_EQ(TrimSpaces("\tx\t"), "\tx\t");
    EXPECT_EQ(TrimSpaces(ideographic + " a b " + ideographic), "a b");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(TrimSpaces(""), "");
    // 0xB0 0xA1 then 0xA1 0xA1: the middle pair is not a space, the last one is.
    EXPECT_EQ(TrimSpaces("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
    EXPECT_EQ(TrimSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
    EXPECT_EQ(RemoveSpaces("k=a b; " + ideographic + "c"), "k=ab;c");
    EXPECT_EQ(RemoveSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
}

struct ReplaceCase {
    std::string name;
    Text text, old, replacement;
    int start, count;
    bool caseSensitive;
    Text expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
    *os << c.name;
}

class ReplaceTextTest : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTextTest, Replaces) {
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(ReplaceText(c.text, c.old, c.replacement, c.start, c.count, c.caseSensitive),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTextTest,
    testing::Values(ReplaceCase{"all", "a.b.c", ".", "-", 1, -1, true, "a-b-c"},
                    ReplaceCase{"remove", "a.b.c", ".", "", 1, -1, true, "abc"},
                    ReplaceCase{"fromStart", "a.b.c", ".", "-", 3, -1, true, "a.b-c"},
                    ReplaceCase{"countLimit", "aaaa", "a", "b", 1, 2, true, "bbaa"},
                    ReplaceCase{"countZero", "aaaa", "a", "b", 1, 0, true, "aaaa"},
                    ReplaceCase{"noOverlap", "aaa", "aa", "b", 1, -1, true, "ba"},
                    ReplaceCase{"startBeyond", "abc", "c", "x", 4, -1, true, "abc"},
                    ReplaceCase{"emptyOld", "abc", "", "x", 1, -1, true, "abc"},
                    ReplaceCase{"caseFolded", "<FONT>a<font>", "<font>", "", 1, -1, false, "a"},
                    ReplaceCase{"caseKept", "<FONT>a<font>", "<font>", "", 1, -1, true, "<FONT>a"},
                    ReplaceCase{"noTrailMatch",
                                "\x81\x41"
                                "A",
                                "A", "b", 1, -1, true,
                                "\x81\x41"
                                "b"}),
    [](const auto& info) { return info.param.name; });

TEST(SplitTextTest, KeepsInnerAndLeadingEmptyPiecesButNoTrailingOne) {
    using Pieces = std::vector<Text>;
    EXPECT_EQ(SplitText("a\r\nb\r\n", "\r\n"), (Pieces{"a", "b"}));
    EXPECT_EQ(SplitText("a\r\n\r\nb", "\r\n"), (Pieces{"a", "", "b"}));
    EXPECT_EQ(SplitText(";a", ";"), (Pieces{"", "a"}));
    EXPECT_EQ(SplitText("", ";"), Pieces{});
    EXPECT_EQ(SplitText("abc", ""), Pieces{"abc"});
    EXPECT_EQ(SplitText(";;", ";"), (Pieces{"", ""}));
    EXPECT_EQ(SplitText("\x81;x;y", ";"), (Pieces{"\x81;x", "y"}));
}

TEST(ToLowerTest, FoldsAsciiOnly) {
    EXPECT_EQ(ToLower("HTTP://A.B/"), "http://a.b/");
    // 0x81 0x41: the trail byte 'A' stays.
    EXPECT_EQ(ToLower("\x81\x41"
                      "B"),
              "\x81\x41"
              "b");
}

TEST(NumberTest, ReadsAsciiAndFullWidthForms) {
    const Text fullWidth12 = Gbk(u8"１２");
    EXPECT_EQ(ToInteger(fullWidth12), 12);
    EXPECT_EQ(ToInteger("abc"), 0);
    EXPECT_EQ(ToInteger("8080/"), 8080);
    EXPECT_EQ(ToInteger(" \t-42x"), -42);
    EXPECT_EQ(ToInteger("+7"), 7);
    EXPECT_EQ(ToInteger(Gbk(u8"　－３")), -3);
    EXPECT_EQ(ToInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(ToInteger("-99999999999999999999"), -2147483647 - 1);

    EXPECT_DOUBLE_EQ(ToNumber("2.9"), 2.9);
    EXPECT_DOUBLE_EQ(ToNumber(Gbk(u8"３")), 3.0);
    EXPECT_DOUBLE_EQ(ToNumber(Gbk(u8"１２．５")), 12.5);
    EXPECT_DOUBLE_EQ(ToNumber(" -1.5e2xyz"), -150.0);
    EXPECT_DOUBLE_EQ(ToNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ToNumber("5."), 5.0);
    EXPECT_DOUBLE_EQ(ToNumber("1e"), 1.0);
    EXPECT_DOUBLE_EQ(ToNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("."), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(ToNumber("inf"), 0.0);
    EXPECT_TRUE(std::isinf(ToNumber("1e999")));
    EXPECT_DOUBLE_EQ(ToNumber("1e-999"), 0.0);
}

TEST(BytesTest, BytesToTextStopsAtZero) {
    EXPECT_EQ(BytesToText(ByteBuffer{'a', 'b', 0, 'c'}), "ab");
    EXPECT_EQ(BytesToText(ByteBuffer{}), "");
    EXPECT_EQ(BytesToText(ByteBuffer{0xCA, 0xFD}), "\xCA\xFD");
    EXPECT_EQ(TextToBytes(Text("a\0b", 3)), (ByteBuffer{'a', 0, 'b'}));
    EXPECT_TRUE(TextToBytes("").empty());
}

}  // namespace
}  // namespace zelkor
