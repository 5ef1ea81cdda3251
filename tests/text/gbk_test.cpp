#include <gtest/gtest.h>

#include "text/gbk.h"

namespace zelkor {
namespace {

TEST(GbkTest, RoundTripsChineseText) {
    const auto gbk = Utf8ToGbk("源码 abc 一键");
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(*gbk, "\xD4\xB4\xC2\xEB abc \xD2\xBB\xBC\xFC");
    EXPECT_EQ(GbkToUtf8(*gbk), "源码 abc 一键");
}

TEST(GbkTest, SystemTextsBecomeGbk) {
    EXPECT_EQ(Gbk(u8"#引号"), "#\xD2\xFD\xBA\xC5");
    EXPECT_EQ(Gbk(u8"："), "\xA3\xBA");
}

TEST(GbkTest, RejectsWhatGbkCannotHold) {
    EXPECT_FALSE(Utf8ToGbk("emoji \xF0\x9F\x98\x80").has_value());
    EXPECT_FALSE(Utf8ToGbk("bad \xC3").has_value());
    EXPECT_EQ(Utf8ToGbk(""), Text());
}

TEST(GbkTest, DecodeKeepsOffsetsOfEveryCharacter) {
    // ASCII, a two-byte character and the four-byte GB18030 form of U+00A5.
    const Text text = std::string("a\xCA\xFD\x81\x30\x84\x36z");
    const DecodedText decoded = DecodeGbk(text);
    EXPECT_EQ(decoded.characters, (std::u32string{U'a', U'数', U'\u00A5', U'z'}));
    EXPECT_EQ(decoded.offsets, (std::vector<std::size_t>{0, 1, 3, 7, 8}));
}

TEST(GbkTest, UndecodableBytesNeverShiftOffsets) {
    // 0x80 alone, 0xFF, a lead byte before a line feed, and a dangling lead byte at the end.
    const Text text = std::string(
        "\x80"
        "a\xFF\x81\nb\xCA");
    const DecodedText decoded = DecodeGbk(text);
    EXPECT_EQ(decoded.characters,
              (std::u32string{kReplacementCharacter, U'a', kReplacementCharacter,
                              kReplacementCharacter, U'\n', U'b', kReplacementCharacter}));
    EXPECT_EQ(decoded.offsets, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(GbkToUtf8("\xFF"
                        "a"),
              "\xEF\xBF\xBD"
              "a");
}

}  // namespace
}  // namespace zelkor
