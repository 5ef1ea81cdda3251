#include "harvest/patternshape.h"

namespace zelkor {
namespace {

constexpr auto npos = std::u32string_view::npos;

// Case folding as a caseless Unicode match sees it for the ASCII letters, including the two
// non-ASCII characters that match an ASCII letter (KELVIN SIGN, LATIN SMALL LETTER LONG S).
char32_t Fold(char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        return c + (U'a' - U'A');
    }
    if (c == U'\u212A') {
        return U'k';
    }
    return c == U'\u017F' ? U's' : c;
}

bool IsAsciiAlnum(char32_t c) {
    return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

class Analyser {
public:
    Analyser(bool ignoreCase, bool multiline) : ignoreCase_(ignoreCase), multiline_(multiline) {}

    PatternShape Run(std::u32string_view p) {
        for (std::size_t i = 0; i < p.size(); ++i) {
            const char32_t c = p[i];
            switch (c) {
                case U'\\':
                    // An escaped ASCII symbol is that symbol; letters and digits name classes,
                    // anchors, back-references or quoting, which this look does not follow.
                    if (i + 1 >= p.size() || IsAsciiAlnum(p[i + 1]) || p[i + 1] >= 0x80) {
                        return Unknown();
                    }
                    Literal(p[++i]);
                    break;
                case U'[':
                    return Unknown();
                case U'(':
                    if (i + 1 < p.size() && p[i + 1] == U'?') {
                        return Unknown();
                    }
                    ++depth_;
                    Flush();
                    break;
                case U')':
                    --depth_;
                    Flush();
                    break;
                case U'|':
                    topLevelChoice_ = topLevelChoice_ || depth_ == 0;
                    Flush();
                    break;
                case U'*':
                case U'+':
                case U'?':
                    Quantifier();
                    break;
                case U'{':
                    // Could be a counted quantifier or a literal brace; prove nothing further.
                    Quantifier();
                    literalsTrusted_ = false;
                    break;
                case U'$':
                    anchoredAtEnd_ = true;
                    Flush();
                    break;
                case U'^':
                case U'.':
                    Flush();
                    break;
                default:
                    Literal(c);
            }
        }
        Flush();
        PatternShape shape;
        shape.staysOnOneLine = !holdsLineFeed_ && (multiline_ || !anchoredAtEnd_);
        if (literalsTrusted_ && !topLevelChoice_) {
            shape.requiredLiterals = std::move(literals_);
        }
        return shape;
    }

private:
    static PatternShape Unknown() { return {}; }

    void Literal(char32_t c) {
        if (c == U'\n' || c == U'\r') {
            holdsLineFeed_ = true;
        }
        if (depth_ != 0) {
            return;
        }
        if (ignoreCase_ && c >= 0x80) {
            // Caseless matching of other scripts may fold in ways this look does not know.
            Flush();
            lastWasLiteral_ = false;
            return;
        }
        run_ += ignoreCase_ ? Fold(c) : c;
        lastWasLiteral_ = true;
    }

    // The atom before a quantifier may be absent or repeated: it leaves the run.
    void Quantifier() {
        if (depth_ == 0 && lastWasLiteral_ && !run_.empty()) {
            run_.pop_back();
        }
        Flush();
    }

    void Flush() {
        if (!run_.empty()) {
            literals_.push_back(std::move(run_));
            run_.clear();
        }
        lastWasLiteral_ = false;
    }

    bool ignoreCase_;
    bool multiline_;
    int depth_ = 0;
    bool topLevelChoice_ = false;
    bool holdsLineFeed_ = false;
    bool anchoredAtEnd_ = false;
    bool literalsTrusted_ = true;
    bool lastWasLiteral_ = false;
    std::u32string run_;
    std::vector<std::u32string> literals_;
};

}  // namespace

PatternShape AnalysePattern(std::u32string_view pattern, bool ignoreCase, bool multiline) {
    return Analyser(ignoreCase, multiline).Run(pattern);
}

LiteralChain::LiteralChain(const PatternShape& shape, std::u32string_view subject, bool ignoreCase)
    : literals_(shape.requiredLiterals), subject_(subject), ignoreCase_(ignoreCase) {}

std::size_t LiteralChain::Find(const std::u32string& literal, std::size_t from,
                               std::size_t end) const {
    const std::u32string_view area = subject_.substr(0, end);
    if (!ignoreCase_) {
        return area.find(literal, from);
    }
    if (from > area.size() || area.size() - from < literal.size()) {
        return npos;
    }
    const std::size_t last = area.size() - literal.size();
    for (std::size_t i = from; i <= last; ++i) {
        std::size_t k = 0;
        while (k < literal.size() && Fold(area[i + k]) == literal[k]) {
            ++k;
        }
        if (k == literal.size()) {
            return i;
        }
    }
    return npos;
}

bool LiteralChain::OccursWithin(std::size_t from, std::size_t end) {
    if (literals_.empty()) {
        return true;
    }
    // The earliest chain found from an earlier start is still the earliest from any later start
    // that does not pass its first literal.
    if (cached_ && end == cachedEnd_ && from >= cachedFrom_ &&
        (!cachedAnswer_ ? true : from <= cachedFirstHit_)) {
        return cachedAnswer_;
    }
    std::size_t pos = from;
    std::size_t firstHit = npos;
    bool answer = true;
    for (const std::u32string& literal : literals_) {
        const std::size_t hit = Find(literal, pos, end);
        if (hit == npos) {
            answer = false;
            break;
        }
        if (firstHit == npos) {
            firstHit = hit;
        }
        pos = hit + literal.size();
    }
    cached_ = true;
    cachedFrom_ = from;
    cachedEnd_ = end;
    cachedFirstHit_ = firstHit;
    cachedAnswer_ = answer;
    return answer;
}

}  // namespace zelkor
