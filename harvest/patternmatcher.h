#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "harvest/regexengine.h"
#include "text/text.h"

namespace zelkor {

// The system's regular-expression facility. One search at a time: FindAll runs a pattern over a
// GBK subject and keeps every match until the next FindAll; matches and groups count from 1.
// Every failure shows as an empty result, never as an error.
class PatternMatcher {
public:
    explicit PatternMatcher(RegexEngineFactory& engines);
    virtual ~PatternMatcher();
    PatternMatcher(const PatternMatcher&) = delete;
    PatternMatcher& operator=(const PatternMatcher&) = delete;

    // True when the engine produced a match collection (possibly empty); false when no engine
    // could be created or it refused the pattern. With `quoteToken`, "#引号" in the pattern
    // stands for a double quote. The previous search's results are gone once this starts.
    virtual bool FindAll(std::string_view pattern, std::string_view subject,
                         bool caseSensitive = false, bool multiline = true, bool global = true,
                         bool quoteToken = false);

    // Number of matches of the last search; 0 before the first and after a failed one.
    virtual int MatchCount() const;

    // What `group` of `match` captured, as the subject's own bytes; empty for a missing match or
    // group, and for a group that took no part in the match.
    virtual Text SubmatchText(int match, int group) const;

private:
    // The captured texts of one search: one row per match, group 1 first.
    using MatchCollection = std::vector<std::vector<Text>>;

    RegexEngineFactory& engines_;
    std::unique_ptr<RegexEngine> engine;
    std::unique_ptr<MatchCollection> matches;
};

}  // namespace zelkor
