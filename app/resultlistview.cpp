#include "app/resultlistview.h"

#include <QHeaderView>
#include <QScopedValueRollback>
#include <array>

#include "app/qtext.h"

namespace zelkor {
namespace {

constexpr int kColumnCount = 4;
constexpr int kTitleColumn = 3;

// A row keeps the GBK bytes it was given, so reading a cell back is byte-exact even for text
// that does not decode; the shown text is decoded only when the view paints the cell, which
// keeps filling thousands of rows cheap.
class ResultRowItem final : public QTreeWidgetItem {
public:
    explicit ResultRowItem(const Text& column0) : QTreeWidgetItem(UserType) { cells_[0] = column0; }

    QVariant data(int column, int role) const override {
        // The tip shows a whole title that the narrow column cuts short.
        const bool shown =
            role == Qt::DisplayRole || (role == Qt::ToolTipRole && column == kTitleColumn);
        if (shown && column >= 0 && column < kColumnCount) {
            return ToQString(cells_[static_cast<std::size_t>(column)]);
        }
        return QTreeWidgetItem::data(column, role);
    }

    void SetCell(int column, const Text& text) {
        cells_[static_cast<std::size_t>(column)] = text;
        emitDataChanged();
    }
    const Text& Cell(int column) const { return cells_[static_cast<std::size_t>(column)]; }

private:
    std::array<Text, kColumnCount> cells_;
};

// Every row of the list is a ResultRowItem: AppendRow makes no other kind.
ResultRowItem* RowItem(const QTreeWidget& list, int row) {
    return static_cast<ResultRowItem*>(list.topLevelItem(row));
}

}  // namespace

ResultListView::ResultListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(kColumnCount);
    QStringList headers;
    for (const std::u8string_view header : kResultColumnHeaders) {
        headers << ToQString(header);
    }
    setHeaderLabels(headers);
    header()->setMinimumSectionSize(0);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int widths[kColumnCount] = {40, 0, 0, 180};
    for (int column = 0; column < kColumnCount; ++column) {
        header()->setSectionResizeMode(column, QHeaderView::Interactive);
        setColumnWidth(column, widths[column]);
    }
    setSortingEnabled(false);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setDragEnabled(false);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    // The selection is shown only while the list has the focus.
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
    setPalette(colours);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ResultListView::OnCurrentRowChanged);
}

void ResultListView::DeleteAllRows() {
    const QScopedValueRollback quiet(quiet_, true);
    clear();
}

int ResultListView::AppendRow(const Text& column0) {
    const QScopedValueRollback quiet(quiet_, true);
    addTopLevelItem(new ResultRowItem(column0));  // owned by the list
    return topLevelItemCount() - 1;  // appended last; looking it up would cost a scan per row
}

void ResultListView::SetCell(int row, int column, const Text& text) {
    ResultRowItem* item = RowItem(*this, row);
    if (item == nullptr || column < 0 || column >= kColumnCount) {
        return;
    }
    item->SetCell(column, text);
}

int ResultListView::FirstSelectedRow() const {
    int first = -1;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        if (first < 0 || index.row() < first) {
            first = index.row();
        }
    }
    return first;
}

Text ResultListView::Cell(int row, int column) const {
    const ResultRowItem* item = RowItem(*this, row);
    if (item == nullptr || column < 0 || column >= kColumnCount) {
        return {};
    }
    return item->Cell(column);
}

void ResultListView::focusInEvent(QFocusEvent* event) {
    // Qt marks the first row current when a list without a current row gains the keyboard focus;
    // undo that silently, so that the first arrow key reaches row 0 and raises the event there.
    const bool hadCurrent = currentIndex().isValid();
    const QScopedValueRollback quiet(quiet_, true);
    QTreeWidget::focusInEvent(event);
    if (!hadCurrent && currentIndex().isValid()) {
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
}

void ResultListView::OnCurrentRowChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (quiet_ || !current.isValid()) {
        return;
    }
    if (previous.isValid() && previous.row() == current.row()) {
        return;
    }
    emit RowFocused();
}

}  // namespace zelkor
