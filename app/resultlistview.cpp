#include "app/resultlistview.h"

#include <QHeaderView>
#include <QScopedValueRollback>

#include "app/qtext.h"

namespace zelkor {
namespace {

constexpr int kColumnCount = 4;
// Cells keep the GBK bytes they were given, so reading them back is byte-exact even for text
// that does not decode.
constexpr int kGbkRole = Qt::UserRole;

}  // namespace

ResultListView::ResultListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(kColumnCount);
    setHeaderLabels(
        {ToQString(u8"序号"), ToQString(u8"日期"), QStringLiteral("ID"), ToQString(u8"标题")});
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
    auto* item = new QTreeWidgetItem(this);  // owned by the list
    item->setText(0, ToQString(column0));
    item->setData(0, kGbkRole, QByteArray(column0.data(), static_cast<qsizetype>(column0.size())));
    return indexOfTopLevelItem(item);
}

void ResultListView::SetCell(int row, int column, const Text& text) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr || column < 0 || column >= kColumnCount) {
        return;
    }
    item->setText(column, ToQString(text));
    item->setData(column, kGbkRole, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
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
    const QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr || column < 0 || column >= kColumnCount) {
        return {};
    }
    const QByteArray gbk = item->data(column, kGbkRole).toByteArray();
    return Text(gbk.constData(), static_cast<std::size_t>(gbk.size()));
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
