#include "text/charscan.h"

#include <cstring>

namespace zelkor::detail {
namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool EqualIgnoringAsciiCase(const char* a, const char* b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::size_t CharStartSearch::RawFind(std::size_t from) const {
    if (from > text_.size() || text_.size() - from < sought_.size()) {
        return std::string_view::npos;
    }
    const char* base = text_.data();
    if (!ignoreCase_) {
        const void* hit =
            ::memmem(base + from, text_.size() - from, sought_.data(), sought_.size());
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - base)
                   : std::string_view::npos;
    }
    const std::size_t last = text_.size() - sought_.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (EqualIgnoringAsciiCase(base + i, sought_.data(), sought_.size())) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t CharStartSearch::Next(std::size_t from) const {
    std::size_t knownStart = from;
    std::size_t pos = from;
    for (;;) {
        const std::size_t hit = RawFind(pos);
        if (hit == std::string_view::npos) {
            return hit;
        }
        // Behind the last byte below 0x80 (or the known start) characters begin afresh, so the
        // hit begins a character exactly when an even number of lead bytes stand in front of it.
        std::size_t leadRun = 0;
        for (std::size_t i = hit; i > knownStart && IsLeadByte(text_[i - 1]); --i) {
            ++leadRun;
        }
        if (leadRun % 2 == 0) {
            // A lead byte that is the text's last byte ends the scan.
            const bool danglingLead = IsLeadByte(text_[hit]) && hit + 1 == text_.size();
            return danglingLead ? std::string_view::npos : hit;
        }
        knownStart = hit + 1;
        pos = hit + 1;
    }
}

}  // namespace zelkor::detail
