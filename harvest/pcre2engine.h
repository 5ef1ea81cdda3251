#pragma once

#include <memory>

#include "harvest/regexengine.h"

namespace zelkor {

// Regular expressions by PCRE2 (32-bit code units, one per character, JIT where available).
// The work of one search stays bounded on hostile pages: the subject is searched a line at a time
// when no match can cross a line feed, and a part of it that cannot hold the pattern's required
// literals in order is passed over without running the matcher.
class Pcre2EngineFactory final : public RegexEngineFactory {
public:
    std::unique_ptr<RegexEngine> Create() override;
};

}  // namespace zelkor
