#include "web/cookies.h"

#include <algorithm>

namespace zelkor {

namespace {

constexpr std::string_view kDeletionMark = "=deleted";
constexpr std::string_view kCookieSeparator = "; ";

bool IsDeleted(std::string_view entry) {
    return TextRight(entry, TextLength(kDeletionMark)) == kDeletionMark;
}

}  // namespace

Text CookieName(std::string_view entry) {
    const int p = FindText(entry, "=");
    return p == kNotFound ? TrimSpaces(entry) : TrimSpaces(TextLeft(entry, p - 1));
}

bool HasCookieName(const std::vector<Text>& list, std::string_view name) {
    return std::any_of(list.begin(), list.end(),
                       [name](const Text& entry) { return CookieName(entry) == name; });
}

int IndexOfText(const std::vector<Text>& list, std::string_view text) {
    const auto found = std::find(list.begin(), list.end(), text);
    return found == list.end() ? kNotFound : static_cast<int>(found - list.begin()) + 1;
}

Text JoinDistinct(std::string_view text, std::string_view separator) {
    std::vector<Text> met;
    Text result;
    for (Text& piece : SplitText(text, separator)) {
        if (IndexOfText(met, piece) != kNotFound) {
            continue;
        }
        result += piece;
        result += separator;
        met.push_back(std::move(piece));
    }
    return TextLeft(result, TextLength(result) - TextLength(separator));
}

Text MergeCookies(Text& oldCookies, Text& newCookies) {
    oldCookies = RemoveSpaces(oldCookies);
    newCookies = RemoveSpaces(newCookies);
    std::vector<Text> merged = SplitText(newCookies, ";");
    for (Text& entry : SplitText(oldCookies, ";")) {
        if (!HasCookieName(merged, CookieName(entry))) {
            merged.push_back(std::move(entry));
        }
    }
    Text joined;
    for (const Text& entry : merged) {
        if (!IsDeleted(entry)) {
            joined += entry;
            joined += kCookieSeparator;
        }
    }
    joined = TextLeft(joined, TextLength(joined) - TextLength(kCookieSeparator));
    oldCookies = JoinDistinct(joined, kCookieSeparator);
    return oldCookies;
}

}  // namespace zelkor
