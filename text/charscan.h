#pragma once

#include <cstddef>
#include <string_view>

namespace zelkor::detail {

inline bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Length in bytes of the character that begins at `i`: 2 for a lead byte with a byte behind it.
inline std::size_t CharLengthAt(std::string_view t, std::size_t i) {
    return IsLeadByte(t[i]) && i + 1 < t.size() ? 2 : 1;
}

// Finds `sought` where a character begins. Candidates come from a raw byte search (memmem for the
// exact case), and each is checked by counting the lead bytes in front of it back to the last known
// character start, so the whole scan stays linear in the text.
class CharStartSearch {
public:
    CharStartSearch(std::string_view text, std::string_view sought, bool ignoreCase)
        : text_(text), sought_(sought), ignoreCase_(ignoreCase) {}

    // The first match at or behind `from`, which is taken as the beginning of a character;
    // npos when there is none. `sought` must not be empty.
    std::size_t Next(std::size_t from) const;

private:
    std::size_t RawFind(std::size_t from) const;

    std::string_view text_;
    std::string_view sought_;
    bool ignoreCase_;
};

}  // namespace zelkor::detail
