#include "text/between.h"

#include "text/gbk.h"

namespace zelkor {

const Text& QuoteToken() {
    static const Text token = Gbk(u8"#引号");
    return token;
}

Text TextBetween(std::string_view text, std::string_view left, std::string_view right) {
    if (right.empty()) {
        const int p = FindText(text, left);
        if (p == kNotFound) {
            return {};
        }
        return TextMid(text, p + TextLength(left), TextLength(text));
    }
    if (left.empty()) {
        const int q = FindText(text, right);
        return q == kNotFound ? Text() : TextLeft(text, q - 1);
    }
    const int p = FindText(text, left);
    if (p == kNotFound) {
        return {};
    }
    const std::string_view rest = text.substr(static_cast<std::size_t>(p - 1) + left.size());
    const int q = FindText(rest, right);
    return q == kNotFound ? Text() : TextLeft(rest, q - 1);
}

Text ExtractBetween(std::string_view text, std::string_view left, std::string_view right, int start,
                    bool ignoreCase) {
    const Text leftMarker = ReplaceText(left, QuoteToken(), "\"", 1, kAllOccurrences, true);
    const Text rightMarker = ReplaceText(right, QuoteToken(), "\"", 1, kAllOccurrences, true);
    int p = FindText(text, leftMarker, start, ignoreCase);
    if (p != kNotFound) {
        p += TextLength(leftMarker);
    }
    const int q = FindText(text, rightMarker, p, ignoreCase);
    if (p == kNotFound || q == kNotFound) {
        return {};
    }
    return TextMid(text, p, q - p);
}

}  // namespace zelkor
