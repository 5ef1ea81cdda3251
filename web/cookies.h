#pragma once

#include <string_view>
#include <vector>

#include "text/text.h"

namespace zelkor {

// The name of a cookie entry: its text in front of the first "=" (all of it when there is
// none), trimmed.
Text CookieName(std::string_view entry);

// True when some entry of `list` has the cookie name `name` (byte for byte).
bool HasCookieName(const std::vector<Text>& list, std::string_view name);

// The 1-based index of the first element equal to `text`, or -1.
int IndexOfText(const std::vector<Text>& list, std::string_view text);

// The pieces of `text` split at `separator`, each kept only at its first appearance, joined
// again by `separator`.
Text JoinDistinct(std::string_view text, std::string_view separator);

// Merges `newCookies` into `oldCookies`: the new entries in their order, then the old entries
// whose names the new ones do not hold, without entries ending in "=deleted" and without
// repeats. Both are in and out: every space is removed from both, and `oldCookies` receives the
// merged text, which is also returned.
Text MergeCookies(Text& oldCookies, Text& newCookies);

}  // namespace zelkor
