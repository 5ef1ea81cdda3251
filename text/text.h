#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelkor {

// A text is a run of GBK bytes. An absent text and the empty text are the same value.
// Lengths and positions count bytes; positions are 1-based; "not found" is -1.
// Scanning routines step by characters: a byte of 0x80 or more and the byte after it are one
// character, and a match never begins at the second byte of one. Slicing routines count bytes.
using Text = std::string;

// A counted run of bytes that may hold zero bytes, such as an HTTP response body.
using ByteBuffer = std::vector<std::uint8_t>;

inline constexpr int kNotFound = -1;
inline constexpr int kAllOccurrences = -1;

int TextLength(std::string_view t);

// Position of the first `sought` at or after `start` (below 1 counts as 1); -1 when none.
// An empty `sought` is found at 1 when the text from `start` on is non-empty.
// `ignoreCase` folds the ASCII letters only.
int FindText(std::string_view t, std::string_view sought, int start = 1, bool ignoreCase = false);

// Position of the last `sought` in `t`, case-sensitive; -1 when none.
int FindTextReverse(std::string_view t, std::string_view sought);

Text TextLeft(std::string_view t, int n);
Text TextRight(std::string_view t, int n);
// `n` bytes from position `start` on; empty when `start` is outside the text or `n` <= 0.
Text TextMid(std::string_view t, int start, int n);

// Spaces are 0x20 and the ideographic space 0xA1 0xA1; tabs and line breaks are kept.
Text TrimSpaces(std::string_view t);
Text RemoveSpaces(std::string_view t);

// Replaces at most `count` (negative: all) non-overlapping occurrences of `old`, searching from
// `start`. `caseSensitive` false lets ASCII letters match their other case.
Text ReplaceText(std::string_view t, std::string_view old, std::string_view replacement = {},
                 int start = 1, int count = kAllOccurrences, bool caseSensitive = false);

// Pieces between delimiters. A leading or doubled delimiter gives an empty piece; a trailing one
// gives none. An empty text gives no piece, an empty delimiter the whole text as one piece.
std::vector<Text> SplitText(std::string_view t, std::string_view delimiter);

Text ToLower(std::string_view t);

// Full-width digits, signs and spaces are read as their ASCII forms first. Leading white space is
// skipped; no digits gives 0. ToInteger saturates at the limits of int instead of overflowing.
int ToInteger(std::string_view t);
double ToNumber(std::string_view t);

// The bytes up to the first zero byte; no code-page conversion.
Text BytesToText(const ByteBuffer& b);
ByteBuffer TextToBytes(std::string_view t);

}  // namespace zelkor
