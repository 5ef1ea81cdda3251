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
    Pcre2EngineFactory();
    ~Pcre2EngineFactory() override;
    Pcre2EngineFactory(const Pcre2EngineFactory&) = delete;
    Pcre2EngineFactory& operator=(const Pcre2EngineFactory&) = delete;

    std::unique_ptr<RegexEngine> Create() override;

    // The JIT's stack: plain memory that every search may use in turn, so it is made once
    // rather than mapped and unmapped for every page.
    struct JitStack;

private:
    std::unique_ptr<JitStack> jitStack_;
};

}  // namespace zelkor
