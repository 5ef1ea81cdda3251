#pragma once

#include <ostream>
#include <vector>

#include "controls/resultlist.h"
#include "controls/searchbox.h"
#include "controls/statusbar.h"

namespace zelkor::cli {

// The result list of the terminal: rows are kept until the harvest ends and then printed.
class CollectedRows final : public ResultList {
public:
    void DeleteAllRows() override { rows.clear(); }
    int AppendRow(const Text& column0) override;
    void SetCell(int row, int column, const Text& text) override;
    int FirstSelectedRow() const override { return -1; }
    Text Cell(int row, int column) const override;

    std::vector<std::vector<Text>> rows;
};

// The status bar of the terminal: the shown text is kept; with a log stream every text is also
// written there as it comes, as UTF-8.
class StatusLine final : public StatusBar {
public:
    explicit StatusLine(std::ostream* log) : log_(log) {}
    void SetStatusText(const Text& text) override;

    Text shown;

private:
    std::ostream* log_;
};

// The keyword given on the command line.
class FixedSearchText final : public SearchBox {
public:
    explicit FixedSearchText(Text keyword) : keyword_(std::move(keyword)) {}
    Text SearchText() const override { return keyword_; }

private:
    Text keyword_;
};

}  // namespace zelkor::cli
