#include "harvest/patternmatcher.h"

#include "text/between.h"
#include "text/gbk.h"

namespace zelkor {

PatternMatcher::PatternMatcher(RegexEngineFactory& engines) : engines_(engines) {}

PatternMatcher::~PatternMatcher() {
    engine.reset();
    matches.reset();
}

bool PatternMatcher::FindAll(std::string_view pattern, std::string_view subject, bool caseSensitive,
                             bool multiline, bool global, bool quoteToken) {
    const RegexOptions options{
        .ignoreCase = !caseSensitive, .multiline = multiline, .global = global};
    engine.reset();
    matches.reset();

    engine = engines_.Create();
    if (!engine) {
        return false;
    }
    const Text effectivePattern =
        quoteToken ? ReplaceText(pattern, QuoteToken(), "\"", 1, kAllOccurrences, true)
                   : Text(pattern);
    const DecodedText decodedPattern = DecodeGbk(effectivePattern);
    const DecodedText decodedSubject = DecodeGbk(subject);
    auto found = engine->Execute(decodedPattern.characters, decodedSubject.characters, options);
    if (!found) {
        return false;
    }
    // Submatches are read back as the subject's own bytes, so titles come back byte for byte.
    auto collection = std::make_unique<MatchCollection>();
    collection->reserve(found->size());
    for (const MatchGroups& groups : *found) {
        std::vector<Text>& texts = collection->emplace_back();
        texts.reserve(groups.size());
        for (const auto& span : groups) {
            if (!span || span->begin > span->end || span->end >= decodedSubject.offsets.size()) {
                texts.emplace_back();
                continue;
            }
            const std::size_t first = decodedSubject.offsets[span->begin];
            const std::size_t last = decodedSubject.offsets[span->end];
            texts.emplace_back(subject.substr(first, last - first));
        }
    }
    matches = std::move(collection);
    return true;
}

int PatternMatcher::MatchCount() const {
    return matches ? static_cast<int>(matches->size()) : 0;
}

Text PatternMatcher::SubmatchText(int match, int group) const {
    if (!matches || match < 1 || group < 1 || static_cast<std::size_t>(match) > matches->size()) {
        return {};
    }
    const std::vector<Text>& groups = (*matches)[static_cast<std::size_t>(match - 1)];
    if (static_cast<std::size_t>(group) > groups.size()) {
        return {};
    }
    return groups[static_cast<std::size_t>(group - 1)];
}

}  // namespace zelkor
