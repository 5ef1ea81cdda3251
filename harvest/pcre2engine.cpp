#include "harvest/pcre2engine.h"

#define PCRE2_CODE_UNIT_WIDTH 32
#include <pcre2.h>

#include <algorithm>

#include "harvest/patternshape.h"

namespace zelkor {
namespace {

template <auto Free>
struct Pcre2Deleter {
    template <typename T>
    void operator()(T* p) const {
        Free(p);
    }
};

using CompileContext =
    std::unique_ptr<pcre2_compile_context, Pcre2Deleter<pcre2_compile_context_free>>;
using Code = std::unique_ptr<pcre2_code, Pcre2Deleter<pcre2_code_free>>;
using MatchData = std::unique_ptr<pcre2_match_data, Pcre2Deleter<pcre2_match_data_free>>;
using MatchContext = std::unique_ptr<pcre2_match_context, Pcre2Deleter<pcre2_match_context_free>>;
using JitStackHandle = std::unique_ptr<pcre2_jit_stack, Pcre2Deleter<pcre2_jit_stack_free>>;

// Enough for the backtracking of a legitimate page in one call, scaled with the part searched,
// which the library's fixed default is not.
constexpr uint32_t kMinimumMatchLimit = 10'000'000;
constexpr uint32_t kMatchStepsPerCharacter = 32;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 8 * 1024 * 1024;

PCRE2_SPTR Units(std::u32string_view s) {
    return reinterpret_cast<PCRE2_SPTR>(s.data());
}

class Search {
public:
    Search(pcre2_code* code, std::u32string_view subject, const RegexOptions& options,
           const PatternShape& shape, pcre2_jit_stack* jitStack)
        : code_(code),
          subject_(subject),
          options_(options),
          chain_(shape, subject, options.ignoreCase),
          matchData_(pcre2_match_data_create_from_pattern(code, nullptr)),
          context_(pcre2_match_context_create(nullptr)) {
        if (context_ && jitStack) {
            pcre2_jit_stack_assign(context_.get(), nullptr, jitStack);
        }
        pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groupCount_);
    }

    bool Ready() const { return matchData_ && context_; }

    // Searches [begin, end); false once a non-global search has found its match.
    bool Region(std::size_t begin, std::size_t end, std::vector<MatchGroups>& out) {
        const uint64_t scaled = uint64_t{kMatchStepsPerCharacter} * (end - begin + 1);
        pcre2_set_match_limit(context_.get(), static_cast<uint32_t>(std::clamp<uint64_t>(
                                                  scaled, kMinimumMatchLimit, UINT32_MAX)));
        std::size_t offset = begin;
        uint32_t flags = 0;
        while (offset <= end) {
            if (!chain_.OccursWithin(offset, end)) {
                return true;
            }
            const int rc = Match(end, offset, flags);
            if (rc == PCRE2_ERROR_NOMATCH && flags != 0) {
                // No non-empty match where the last empty one stood: step one character on.
                flags = 0;
                ++offset;
                continue;
            }
            if (rc < 0) {
                // No further match, or the limits ended a hopeless search: what was found stays.
                return true;
            }
            const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(matchData_.get());
            out.push_back(Groups(ovector));
            if (!options_.global) {
                return false;
            }
            offset = ovector[1];
            flags = ovector[0] == ovector[1] ? PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED : 0;
        }
        return true;
    }

private:
    // pcre2_match runs the JIT code whenever the flags allow it, the interpreter otherwise.
    int Match(std::size_t end, std::size_t offset, uint32_t flags) {
        return pcre2_match(code_, Units(subject_), end, offset, flags | PCRE2_NO_UTF_CHECK,
                           matchData_.get(), context_.get());
    }

    MatchGroups Groups(const PCRE2_SIZE* ovector) const {
        MatchGroups groups(groupCount_);
        for (uint32_t g = 1; g <= groupCount_; ++g) {
            const PCRE2_SIZE begin = ovector[2 * g];
            const PCRE2_SIZE end = ovector[2 * g + 1];
            if (begin != PCRE2_UNSET && end != PCRE2_UNSET && begin <= end) {
                groups[g - 1] = CharacterSpan{begin, end};
            }
        }
        return groups;
    }

    pcre2_code* code_;
    std::u32string_view subject_;
    RegexOptions options_;
    LiteralChain chain_;
    MatchData matchData_;
    MatchContext context_;
    uint32_t groupCount_ = 0;
};

class Pcre2Engine final : public RegexEngine {
public:
    explicit Pcre2Engine(pcre2_jit_stack* jitStack) : jitStack_(jitStack) {}

    std::optional<std::vector<MatchGroups>> Execute(std::u32string_view pattern,
                                                    std::u32string_view subject,
                                                    const RegexOptions& options) override {
        const Code code = Compile(pattern, options);
        if (!code) {
            return std::nullopt;
        }
        const PatternShape shape = AnalysePattern(pattern, options.ignoreCase, options.multiline);
        Search search(code.get(), subject, options, shape, jitStack_);
        if (!search.Ready()) {
            return std::nullopt;
        }
        std::vector<MatchGroups> found;
        std::size_t begin = 0;
        for (;;) {
            std::size_t end = subject.size();
            if (shape.staysOnOneLine) {
                end = std::min(subject.find(U'\n', begin), subject.size());
            }
            if (!search.Region(begin, end, found) || end == subject.size()) {
                break;
            }
            begin = end + 1;
        }
        return found;
    }

private:
    static Code Compile(std::u32string_view pattern, const RegexOptions& options) {
        const CompileContext context(pcre2_compile_context_create(nullptr));
        if (!context) {
            return nullptr;
        }
        pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF);
        uint32_t flags = PCRE2_UTF | PCRE2_UCP;
        if (options.ignoreCase) {
            flags |= PCRE2_CASELESS;
        }
        if (options.multiline) {
            flags |= PCRE2_MULTILINE;
        }
        int error = 0;
        PCRE2_SIZE errorOffset = 0;
        Code code(pcre2_compile(Units(pattern), pattern.size(), flags, &error, &errorOffset,
                                context.get()));
        if (code) {
            // Without the JIT the interpreter still gives the same answers, only slower.
            pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
        }
        return code;
    }

    pcre2_jit_stack* jitStack_;
};

}  // namespace

struct Pcre2EngineFactory::JitStack {
    JitStackHandle handle{pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr)};
};

Pcre2EngineFactory::Pcre2EngineFactory() : jitStack_(std::make_unique<JitStack>()) {}

Pcre2EngineFactory::~Pcre2EngineFactory() = default;

std::unique_ptr<RegexEngine> Pcre2EngineFactory::Create() {
    return std::make_unique<Pcre2Engine>(jitStack_->handle.get());
}

}  // namespace zelkor
