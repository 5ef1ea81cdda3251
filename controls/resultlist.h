#pragma once

#include <array>
#include <string_view>

#include "text/text.h"

namespace zelkor {

// The headers of the result list's four columns, as UTF-8.
inline constexpr std::array<std::u8string_view, 4> kResultColumnHeaders = {u8"序号", u8"日期",
                                                                           u8"ID", u8"标题"};

// The four-column result list. Rows and columns count from 0.
class ResultList {
public:
    virtual ~ResultList() = default;

    // Leaves the list without rows; raises no row-focus event.
    virtual void DeleteAllRows() = 0;
    // Appends a row holding `column0` in column 0 and nothing elsewhere; returns its index.
    // The new row gets neither the focus nor the selection.
    virtual int AppendRow(const Text& column0) = 0;
    // Does nothing for a cell that does not exist.
    virtual void SetCell(int row, int column, const Text& text) = 0;
    // The lowest-numbered selected row, -1 when no row is selected.
    virtual int FirstSelectedRow() const = 0;
    // The whole text of the cell; empty for a row or column that does not exist.
    virtual Text Cell(int row, int column) const = 0;
};

}  // namespace zelkor
