#pragma once

#include <ostream>
#include <vector>

#include "cli/arguments.h"
#include "text/text.h"

namespace zelkor::cli {

// Result rows (four GBK columns each) written as UTF-8 in the chosen format; bytes that do not
// decode become U+FFFD.
void WriteRows(std::ostream& out, const std::vector<std::vector<Text>>& rows, OutputFormat format);

}  // namespace zelkor::cli
