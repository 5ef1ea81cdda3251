#pragma once

#include <QTreeWidget>

#include "controls/resultlist.h"

namespace zelkor {

// `超级列表框1`: the four-column report list. RowFocused is raised exactly when a row gains the
// current-row mark through the user (a click on another row, a key that moves the mark); never
// for a click on the current row, for deleting or appending rows, or for gaining the focus.
class ResultListView final : public QTreeWidget, public ResultList {
    Q_OBJECT

public:
    explicit ResultListView(QWidget* parent);

    void DeleteAllRows() override;
    int AppendRow(const Text& column0) override;
    void SetCell(int row, int column, const Text& text) override;
    int FirstSelectedRow() const override;
    Text Cell(int row, int column) const override;

signals:
    void RowFocused();

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void OnCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous);

    bool quiet_ = false;
};

}  // namespace zelkor
