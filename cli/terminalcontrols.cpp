#include "cli/terminalcontrols.h"

#include "text/gbk.h"

namespace zelkor::cli {
namespace {

constexpr int kColumns = 4;

bool Holds(const std::vector<std::vector<Text>>& rows, int row, int column) {
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() && column >= 0 &&
           column < kColumns;
}

}  // namespace

int CollectedRows::AppendRow(const Text& column0) {
    rows.emplace_back(kColumns);
    rows.back()[0] = column0;
    return static_cast<int>(rows.size()) - 1;
}

void CollectedRows::SetCell(int row, int column, const Text& text) {
    if (Holds(rows, row, column)) {
        rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    }
}

Text CollectedRows::Cell(int row, int column) const {
    return Holds(rows, row, column)
               ? rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : Text();
}

void StatusLine::SetStatusText(const Text& text) {
    shown = text;
    if (log_) {
        *log_ << GbkToUtf8(text) << '\n';
    }
}

}  // namespace zelkor::cli
