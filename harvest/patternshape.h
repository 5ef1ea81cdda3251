#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelkor {

// What a conservative look at a pattern proves about every match of it. Whatever cannot be proved
// is left out, so using a shape never loses a match.
struct PatternShape {
    // No match can hold a line feed, and anchors behave alike on a line and in the whole subject:
    // the subject may be searched one line at a time.
    bool staysOnOneLine = false;
    // Literal runs that every match holds, in this order (folded to lower case when the search
    // ignores case).
    std::vector<std::u32string> requiredLiterals;
};

PatternShape AnalysePattern(std::u32string_view pattern, bool ignoreCase, bool multiline);

// Answers whether the required literals occur in order in a part of the subject. The search
// positions of the last answer are kept, so asking again further on rescans nothing it already
// passed: over one left-to-right walk the work stays linear in the subject.
class LiteralChain {
public:
    LiteralChain(const PatternShape& shape, std::u32string_view subject, bool ignoreCase);

    // True when every required literal occurs, in order and without overlap, in [from, end).
    bool OccursWithin(std::size_t from, std::size_t end);

private:
    std::size_t Find(const std::u32string& literal, std::size_t from, std::size_t end) const;

    const std::vector<std::u32string>& literals_;
    std::u32string_view subject_;
    bool ignoreCase_;
    std::size_t cachedFrom_ = 0;
    std::size_t cachedEnd_ = 0;
    std::size_t cachedFirstHit_ = std::u32string_view::npos;
    bool cachedAnswer_ = false;
    bool cached_ = false;
};

}  // namespace zelkor
