#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace zelkor {

// Unicode characters decoded from GBK text, with the byte offset at which each one began.
// `offsets` has one entry more than `characters`: the byte length of the whole text.
struct DecodedText {
    std::u32string characters;
    std::vector<std::size_t> offsets;
};

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// Decodes GB18030 (a superset of GBK). A byte that opens no valid sequence becomes one
// U+FFFD of its own, so offsets never shift and nothing is lost when reading bytes back.
DecodedText DecodeGbk(std::string_view gbk);

// GBK text as UTF-8 for display; undecodable bytes become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// UTF-8 as GBK bytes; nothing when the input is not UTF-8 or holds a character GBK cannot hold.
std::optional<Text> Utf8ToGbk(std::string_view utf8);

// A UTF-8 literal seen as plain chars (for streams and std::string).
inline std::string_view Utf8Chars(std::u8string_view utf8) {
    return {reinterpret_cast<const char*>(utf8.data()), utf8.size()};
}

// The system's own texts, written once as UTF-8 in the source and turned into GBK here.
Text Gbk(std::u8string_view utf8);

}  // namespace zelkor
