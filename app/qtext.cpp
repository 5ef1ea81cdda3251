#include "app/qtext.h"

#include <QList>

#include "text/gbk.h"

namespace zelkor {

QString ToQString(const Text& gbk) {
    const std::string utf8 = GbkToUtf8(gbk);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ToQString(std::u8string_view utf8) {
    const std::string_view chars = Utf8Chars(utf8);
    return QString::fromUtf8(chars.data(), static_cast<qsizetype>(chars.size()));
}

Text ToText(const QString& shown) {
    const QByteArray utf8 = shown.toUtf8();
    if (auto whole = Utf8ToGbk(std::string_view(utf8.constData(), utf8.size()))) {
        return *std::move(whole);
    }
    Text gbk;
    for (const uint codePoint : shown.toUcs4()) {
        const auto character = static_cast<char32_t>(codePoint);
        const QByteArray one = QString::fromUcs4(&character, 1).toUtf8();
        const auto converted = Utf8ToGbk(std::string_view(one.constData(), one.size()));
        gbk += converted ? *converted : Text("?");
    }
    return gbk;
}

}  // namespace zelkor
