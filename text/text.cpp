#include "text/text.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "text/charscan.h"

namespace zelkor {
namespace {

using detail::CharLengthAt;
using detail::CharStartSearch;
using detail::IsLeadByte;

constexpr auto npos = std::string_view::npos;

std::size_t ClampStart(int start) {
    return start < 1 ? 0 : static_cast<std::size_t>(start - 1);
}

bool IsIdeographicSpaceAt(std::string_view t, std::size_t i) {
    return i + 1 < t.size() && static_cast<unsigned char>(t[i]) == 0xA1 &&
           static_cast<unsigned char>(t[i + 1]) == 0xA1;
}

// Length of the space character at `i` (0x20 or 0xA1 0xA1), or 0 when none begins there.
std::size_t SpaceLengthAt(std::string_view t, std::size_t i) {
    if (t[i] == ' ') {
        return 1;
    }
    return IsIdeographicSpaceAt(t, i) ? 2 : 0;
}

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Full-width digits, letters and signs become their ASCII forms; the ideographic space a space.
Text NarrowFullWidth(std::string_view t) {
    Text out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t len = CharLengthAt(t, i);
        if (len == 2) {
            const auto lead = static_cast<unsigned char>(t[i]);
            const auto trail = static_cast<unsigned char>(t[i + 1]);
            if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
                out += static_cast<char>(trail - 0x80);
            } else if (lead == 0xA1 && trail == 0xA1) {
                out += ' ';
            } else if (lead == 0xA1 && trail == 0xAB) {
                out += '~';
            } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
                out += '*';
            } else {
                out.append(t.substr(i, 2));
            }
        } else {
            out += t[i];
        }
        i += len;
    }
    return out;
}

std::string_view SkipCSpace(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && IsCSpace(t[i])) {
        ++i;
    }
    return t.substr(i);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t CountDigits(std::string_view t, std::size_t from) {
    std::size_t i = from;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
    }
    return i - from;
}

}  // namespace

int TextLength(std::string_view t) {
    return t.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(t.size());
}

int FindText(std::string_view t, std::string_view sought, int start, bool ignoreCase) {
    const std::size_t from = ClampStart(start);
    if (from >= t.size()) {
        return kNotFound;
    }
    if (sought.empty()) {
        return 1;
    }
    const std::size_t hit = CharStartSearch(t, sought, ignoreCase).Next(from);
    return hit == npos ? kNotFound : static_cast<int>(hit + 1);
}

int FindTextReverse(std::string_view t, std::string_view sought) {
    if (sought.empty()) {
        return kNotFound;
    }
    const CharStartSearch search(t, sought, false);
    std::size_t last = npos;
    for (std::size_t hit = search.Next(0); hit != npos;
         hit = search.Next(hit + CharLengthAt(t, hit))) {
        last = hit;
    }
    return last == npos ? kNotFound : static_cast<int>(last + 1);
}

Text TextLeft(std::string_view t, int n) {
    return n <= 0 ? Text() : Text(t.substr(0, static_cast<std::size_t>(n)));
}

Text TextRight(std::string_view t, int n) {
    if (n <= 0) {
        return {};
    }
    const auto count = static_cast<std::size_t>(n);
    return count >= t.size() ? Text(t) : Text(t.substr(t.size() - count));
}

Text TextMid(std::string_view t, int start, int n) {
    if (start < 1 || static_cast<std::size_t>(start) > t.size() || n <= 0) {
        return {};
    }
    return Text(t.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(n)));
}

Text TrimSpaces(std::string_view t) {
    std::size_t begin = 0;
    while (begin < t.size()) {
        const std::size_t len = SpaceLengthAt(t, begin);
        if (len == 0) {
            break;
        }
        begin += len;
    }
    // Trailing spaces can only be found by stepping forward: a 0xA1 0xA1 pair seen from the right
    // may be the tail of one character and the head of another.
    std::size_t end = begin;
    for (std::size_t i = begin; i < t.size();) {
        const std::size_t space = SpaceLengthAt(t, i);
        const std::size_t len = space ? space : CharLengthAt(t, i);
        i += len;
        if (space == 0) {
            end = i;
        }
    }
    return Text(t.substr(begin, end - begin));
}

Text RemoveSpaces(std::string_view t) {
    Text out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t space = SpaceLengthAt(t, i);
        const std::size_t len = space ? space : CharLengthAt(t, i);
        if (space == 0) {
            out.append(t.substr(i, len));
        }
        i += len;
    }
    return out;
}

Text ReplaceText(std::string_view t, std::string_view old, std::string_view replacement, int start,
                 int count, bool caseSensitive) {
    const std::size_t from = ClampStart(start);
    if (t.empty() || old.empty() || from >= t.size() || count == 0) {
        return Text(t);
    }
    const CharStartSearch search(t, old, !caseSensitive);
    Text out(t.substr(0, from));
    std::size_t pos = from;
    for (int done = 0; count < 0 || done < count; ++done) {
        const std::size_t hit = search.Next(pos);
        if (hit == npos) {
            break;
        }
        out.append(t.substr(pos, hit - pos));
        out.append(replacement);
        pos = hit + old.size();
    }
    out.append(t.substr(pos));
    return out;
}

std::vector<Text> SplitText(std::string_view t, std::string_view delimiter) {
    std::vector<Text> pieces;
    if (t.empty()) {
        return pieces;
    }
    if (delimiter.empty()) {
        pieces.emplace_back(t);
        return pieces;
    }
    const CharStartSearch search(t, delimiter, false);
    std::size_t pos = 0;
    for (std::size_t hit = search.Next(pos); hit != npos; hit = search.Next(pos)) {
        pieces.emplace_back(t.substr(pos, hit - pos));
        pos = hit + delimiter.size();
    }
    if (pos < t.size()) {
        pieces.emplace_back(t.substr(pos));
    }
    return pieces;
}

Text ToLower(std::string_view t) {
    Text out(t);
    for (std::size_t i = 0; i < out.size();) {
        if (out[i] >= 'A' && out[i] <= 'Z') {
            out[i] = static_cast<char>(out[i] + ('a' - 'A'));
        }
        i += CharLengthAt(out, i);
    }
    return out;
}

int ToInteger(std::string_view t) {
    const Text narrow = NarrowFullWidth(t);
    std::string_view s = SkipCSpace(narrow);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    long long value = 0;
    for (const char c : s.substr(0, CountDigits(s, 0))) {
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

double ToNumber(std::string_view t) {
    const Text narrow = NarrowFullWidth(t);
    const std::string_view s = SkipCSpace(narrow);
    // Take the longest prefix of the form [sign] digits [. digits] [e [sign] digits].
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    const std::size_t mantissaStart = i;
    std::size_t digits = CountDigits(s, i);
    i += digits;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fraction = CountDigits(s, i + 1);
        if (digits + fraction > 0) {
            i += 1 + fraction;
            digits += fraction;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            ++j;
        }
        const std::size_t exponentDigits = CountDigits(s, j);
        if (exponentDigits > 0) {
            i = j + exponentDigits;
        }
    }
    double value = 0.0;
    // from_chars takes no leading '+', and reads the same grammar whatever the process locale.
    const std::string_view number = s.substr(mantissaStart, i - mantissaStart);
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Out of range: too small is 0, too large is infinity, as the C library reads it.
        const bool tiny = number.find("e-") != npos || number.find("E-") != npos;
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return mantissaStart > 0 && s[0] == '-' ? -value : value;
}

Text BytesToText(const ByteBuffer& b) {
    std::size_t n = 0;
    while (n < b.size() && b[n] != 0) {
        ++n;
    }
    return Text(reinterpret_cast<const char*>(b.data()), n);
}

ByteBuffer TextToBytes(std::string_view t) {
    return ByteBuffer(t.begin(), t.end());
}

}  // namespace zelkor
