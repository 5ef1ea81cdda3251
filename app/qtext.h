#pragma once

#include <QString>
#include <string_view>

#include "text/text.h"

namespace zelkor {

// The window shows Unicode; the core speaks GBK. These are the only crossings between the two.
QString ToQString(const Text& gbk);
QString ToQString(std::u8string_view utf8);
// Characters that GBK cannot hold become "?", as an ANSI edit box reports them.
Text ToText(const QString& shown);

}  // namespace zelkor
