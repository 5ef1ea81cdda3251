#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace zelkor {

// Where a capture group matched, in characters of the subject given to the engine.
struct CharacterSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The capture groups of one match, group 1 first; empty where a group took no part.
using MatchGroups = std::vector<std::optional<CharacterSpan>>;

struct RegexOptions {
    bool ignoreCase = true;
    bool multiline = true;
    bool global = true;
};

// One regular-expression engine object, made afresh for every search. Patterns and subjects are
// Unicode characters; "." stands for any one character but a line feed.
class RegexEngine {
public:
    virtual ~RegexEngine() = default;

    // Every match of `pattern` in `subject` (only the first unless `global`), left to right and
    // without overlap; nothing when the engine refuses the pattern or cannot run it.
    virtual std::optional<std::vector<MatchGroups>> Execute(std::u32string_view pattern,
                                                            std::u32string_view subject,
                                                            const RegexOptions& options) = 0;
};

class RegexEngineFactory {
public:
    virtual ~RegexEngineFactory() = default;
    // A new engine, or null when none can be created.
    virtual std::unique_ptr<RegexEngine> Create() = 0;
};

}  // namespace zelkor
