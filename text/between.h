#pragma once

#include "text/text.h"

namespace zelkor {

// The text between the first `left` and the first `right` behind it; empty when a marker is
// missing. An empty `right` means "to the end of the text", an empty `left` "from its start".
Text TextBetween(std::string_view text, std::string_view left = {}, std::string_view right = {});

// The request engine's cut: the token "#引号" in either marker stands for a double quote, the
// search begins at `start`, and an empty `right` always yields the empty text.
Text ExtractBetween(std::string_view text, std::string_view left, std::string_view right,
                    int start = 1, bool ignoreCase = false);

// The marker token that stands for a double quote, as GBK bytes.
const Text& QuoteToken();

}  // namespace zelkor
