// Feeds arbitrary bytes to the text primitives, the marker cuts, the GBK codec and the pattern
// matcher, and checks the properties every caller relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "harvest/patternmatcher.h"
#include "harvest/pcre2engine.h"
#include "text/between.h"
#include "text/gbk.h"
#include "text/text.h"

namespace {

using namespace zelkor;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Case-insensitive search folds every byte, trail bytes included.
std::string FoldBytes(std::string_view t) {
    std::string out(t);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + ('a' - 'A'));
        }
    }
    return out;
}

// The input is split at the first two 0x01 bytes into a text and two markers.
struct Pieces {
    std::string_view text, left, right;
    int start = 1;
};

Pieces Split(std::string_view data) {
    Pieces p;
    const std::size_t a = data.find('\x01');
    p.text = data.substr(0, a);
    if (a == std::string_view::npos) {
        return p;
    }
    const std::string_view rest = data.substr(a + 1);
    const std::size_t b = rest.find('\x01');
    p.left = rest.substr(0, b);
    if (b != std::string_view::npos) {
        p.right = rest.substr(b + 1);
    }
    p.start = static_cast<int>(data.size() % 7) - 1;
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const Pieces p = Split(input);
    const int length = TextLength(p.text);

    for (const bool ignoreCase : {false, true}) {
        const int at = FindText(p.text, p.left, p.start, ignoreCase);
        Check(at == kNotFound || (at >= 1 && at <= length));
        if (at != kNotFound && !p.left.empty()) {
            const Text found = TextMid(p.text, at, TextLength(p.left));
            Check(ignoreCase ? FoldBytes(found) == FoldBytes(p.left) : found == p.left);
        }
    }
    const int last = FindTextReverse(p.text, p.left);
    Check(last == kNotFound || last >= FindText(p.text, p.left));

    const Text between = TextBetween(p.text, p.left, p.right);
    Check(between.empty() || p.text.find(between) != std::string_view::npos);
    const Text extracted = ExtractBetween(p.text, p.left, p.right, p.start, size % 2 == 0);
    Check(extracted.size() <= p.text.size());

    const Text replaced = ReplaceText(p.text, p.left, p.right, p.start, p.start, size % 3 == 0);
    Check(p.left.empty() || !replaced.empty() || p.text.empty() || p.right.empty());

    const auto pieces = SplitText(p.text, p.left);
    std::size_t total = 0;
    for (const Text& piece : pieces) {
        total += piece.size();
    }
    Check(total <= p.text.size());

    Check(TrimSpaces(p.text).size() <= p.text.size());
    Check(RemoveSpaces(p.text).size() <= p.text.size());
    Check(ToLower(p.text).size() == p.text.size());
    (void)ToInteger(p.text);
    (void)ToNumber(p.text);
    Check(BytesToText(TextToBytes(p.text)).size() <= p.text.size());

    const DecodedText decoded = DecodeGbk(p.text);
    Check(decoded.offsets.size() == decoded.characters.size() + 1);
    Check(decoded.offsets.back() == p.text.size());
    for (std::size_t i = 1; i < decoded.offsets.size(); ++i) {
        Check(decoded.offsets[i] > decoded.offsets[i - 1]);
    }

    // The markers double as a pattern; every submatch must be a piece of the subject.
    static Pcre2EngineFactory engines;
    PatternMatcher matcher(engines);
    if (matcher.FindAll(p.left, p.text)) {
        for (int j = 1; j <= matcher.MatchCount() && j <= 8; ++j) {
            for (int g = 1; g <= 3; ++g) {
                const Text sub = matcher.SubmatchText(j, g);
                Check(sub.empty() || p.text.find(sub) != std::string_view::npos);
            }
        }
    }
    return 0;
}
