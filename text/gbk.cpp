#include "text/gbk.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <memory>

namespace zelkor {
namespace {

// RAII for an iconv conversion descriptor.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            ::iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; nothing when any byte cannot be converted.
    std::optional<std::string> Convert(std::string_view in) const {
        if (!valid()) {
            return std::nullopt;
        }
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(in.size() * 4 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (::iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
                if (errno != E2BIG) {
                    return std::nullopt;
                }
                const std::size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
            }
        }
        if (::iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t cd_;
};

bool InRange(unsigned char b, unsigned lo, unsigned hi) {
    return b >= lo && b <= hi;
}

char32_t ReadUtf32Le(const std::string& s) {
    return static_cast<char32_t>(static_cast<unsigned char>(s[0])) |
           static_cast<char32_t>(static_cast<unsigned char>(s[1])) << 8 |
           static_cast<char32_t>(static_cast<unsigned char>(s[2])) << 16 |
           static_cast<char32_t>(static_cast<unsigned char>(s[3])) << 24;
}

char32_t DecodeOne(const Converter& converter, std::string_view sequence) {
    const auto utf32 = converter.Convert(sequence);
    return utf32 && utf32->size() == 4 ? ReadUtf32Le(*utf32) : kReplacementCharacter;
}

// Every two-byte sequence (lead 0x81-0xFE, trail 0x40-0xFE but 0x7F) decoded once, on first use,
// so a page decodes with one table look-up per character.
class TwoByteTable {
public:
    TwoByteTable() {
        const Converter converter("UTF-32LE", "GB18030");
        // All pairs in one conversion; should any pair not convert, each is tried on its own.
        std::string pairs;
        pairs.reserve(table_.size() * 2);
        ForEachPair([&](unsigned lead, unsigned trail) {
            pairs += static_cast<char>(lead);
            pairs += static_cast<char>(trail);
        });
        const auto all = converter.Convert(pairs);
        if (all && all->size() == pairs.size() * 2) {
            std::size_t k = 0;
            ForEachPair([&](unsigned lead, unsigned trail) {
                table_[Index(lead, trail)] = ReadUtf32Le(all->substr(k, 4));
                k += 4;
            });
            return;
        }
        ForEachPair([&](unsigned lead, unsigned trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            table_[Index(lead, trail)] = DecodeOne(converter, std::string_view(pair, 2));
        });
    }
    char32_t At(unsigned char lead, unsigned char trail) const {
        return table_[Index(lead, trail)];
    }

private:
    template <typename F>
    static void ForEachPair(F&& f) {
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail != 0x7F) {
                    f(lead, trail);
                }
            }
        }
    }
    static std::size_t Index(unsigned lead, unsigned trail) {
        return (lead - 0x81) * 0xBF + (trail - 0x40);
    }
    std::array<char32_t, 0x7E * 0xBF> table_{};
};

const TwoByteTable& Table() {
    static const TwoByteTable table;
    return table;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

namespace {

// Calls `emit(character, byteOffset)` for every character of `gbk`, in order.
template <typename Emit>
void ForEachCharacter(std::string_view gbk, Emit&& emit) {
    const TwoByteTable& table = Table();
    std::unique_ptr<Converter> fourByte;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(gbk[i]); };

    for (std::size_t i = 0; i < gbk.size();) {
        const unsigned char b0 = byte(i);
        if (b0 < 0x80) {
            emit(b0, i);
            ++i;
            continue;
        }
        const std::size_t left = gbk.size() - i;
        if (InRange(b0, 0x81, 0xFE) && left >= 2) {
            const unsigned char b1 = byte(i + 1);
            if (InRange(b1, 0x40, 0xFE) && b1 != 0x7F) {
                const char32_t c = table.At(b0, b1);
                if (c != kReplacementCharacter) {
                    emit(c, i);
                    i += 2;
                    continue;
                }
            } else if (InRange(b1, 0x30, 0x39) && left >= 4 && InRange(byte(i + 2), 0x81, 0xFE) &&
                       InRange(byte(i + 3), 0x30, 0x39)) {
                if (!fourByte) {
                    fourByte = std::make_unique<Converter>("UTF-32LE", "GB18030");
                }
                const char32_t c = DecodeOne(*fourByte, gbk.substr(i, 4));
                if (c != kReplacementCharacter) {
                    emit(c, i);
                    i += 4;
                    continue;
                }
            }
        }
        emit(kReplacementCharacter, i);
        ++i;
    }
}

}  // namespace

DecodedText DecodeGbk(std::string_view gbk) {
    DecodedText decoded;
    decoded.characters.reserve(gbk.size());
    decoded.offsets.reserve(gbk.size() + 1);
    ForEachCharacter(gbk, [&](char32_t c, std::size_t offset) {
        decoded.characters.push_back(c);
        decoded.offsets.push_back(offset);
    });
    decoded.offsets.push_back(gbk.size());
    return decoded;
}

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    ForEachCharacter(gbk, [&](char32_t c, std::size_t) { AppendUtf8(out, c); });
    return out;
}

std::optional<Text> Utf8ToGbk(std::string_view utf8) {
    static thread_local const Converter converter("GBK", "UTF-8");
    return converter.Convert(utf8);
}

Text Gbk(std::u8string_view utf8) {
    return Utf8ToGbk(Utf8Chars(utf8)).value_or(Text());
}

}  // namespace zelkor
