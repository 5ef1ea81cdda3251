#pragma once

#include <cstddef>
#include <vector>

#include "controls/windowcontrols.h"
#include "text/text.h"

namespace zelkor::testsupport {

// Header-only stand-ins for the window's controls: they keep what the core wrote so that
// tests can read it back, and let tests play the user's part (selecting a row, typing).

class MemoryResultList final : public ResultList {
public:
    static constexpr int kColumns = 4;

    void DeleteAllRows() override {
        rows.clear();
        selectedRow = -1;
        ++deleteAllCount;
    }
    int AppendRow(const Text& column0) override {
        rows.push_back(std::vector<Text>(kColumns));
        rows.back()[0] = column0;
        return static_cast<int>(rows.size()) - 1;
    }
    void SetCell(int row, int column, const Text& text) override {
        if (HasCell(row, column)) {
            rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
        }
    }
    int FirstSelectedRow() const override { return selectedRow; }
    Text Cell(int row, int column) const override {
        return HasCell(row, column)
                   ? rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
                   : Text();
    }

    // The user's part: selects `row` (-1 for none). Unknown rows select nothing.
    void SelectRow(int row) { selectedRow = (row >= 0 && row < RowCount()) ? row : -1; }
    int RowCount() const { return static_cast<int>(rows.size()); }

    std::vector<std::vector<Text>> rows;
    int selectedRow = -1;
    int deleteAllCount = 0;

private:
    bool HasCell(int row, int column) const {
        return row >= 0 && row < RowCount() && column >= 0 && column < kColumns;
    }
};

class MemoryStatusBar final : public StatusBar {
public:
    void SetStatusText(const Text& text) override { texts.push_back(text); }
    // The text the bar shows now.
    Text Shown() const { return texts.empty() ? Text() : texts.back(); }

    std::vector<Text> texts;
};

class MemorySearchBox final : public SearchBox {
public:
    Text SearchText() const override { return text; }

    Text text;
};

class MemorySkinButton final : public SkinButton {
public:
    void SetCaption(const Text& caption) override { captions.push_back(caption); }

    std::vector<Text> captions;
};

class MemoryBrowserBox final : public BrowserBox {
public:
    void Navigate(const Text& address) override { navigations.push_back(address); }

    std::vector<Text> navigations;
};

class MemoryMainWindow final : public MainWindowControl {
public:
    void MakeVisible() override { ++makeVisibleCount; }

    int makeVisibleCount = 0;
};

// One of each, handed to the core as `Controls()`.
struct MemoryControls {
    MemoryResultList resultList;
    MemoryStatusBar statusBar;
    MemorySearchBox searchBox;
    MemorySkinButton skinButton;
    MemoryBrowserBox browserBox;
    MemoryMainWindow mainWindow;

    WindowControls Controls() {
        return {resultList, statusBar, searchBox, skinButton, browserBox, mainWindow};
    }
};

}  // namespace zelkor::testsupport
