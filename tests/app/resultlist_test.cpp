#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/mainwindow.h"
#include "app/qtext.h"
#include "app/resultlistview.h"
#include "app/searchboxview.h"
#include "tests/app/recordingroutes.h"
#include "tests/support/memorycontrols.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

// The contract every ResultList keeps, the window's list and the core's fake alike.
template <typename List>
class ResultListContract : public ::testing::Test {
protected:
    std::unique_ptr<List> owned = MakeList();
    ResultList& list = *owned;

private:
    static std::unique_ptr<List> MakeList() {
        if constexpr (std::is_same_v<List, ResultListView>) {
            return std::make_unique<List>(nullptr);
        } else {
            return std::make_unique<List>();
        }
    }
};

using Lists = ::testing::Types<ResultListView, testsupport::MemoryResultList>;
TYPED_TEST_SUITE(ResultListContract, Lists);

TYPED_TEST(ResultListContract, AppendsAtTheEndWithoutSelecting) {
    ResultList& list = this->list;
    EXPECT_EQ(list.AppendRow("1"), 0);
    EXPECT_EQ(list.AppendRow("2"), 1);
    EXPECT_EQ(list.AppendRow("3"), 2);
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list.Cell(row, 0), std::to_string(row + 1));
        for (int column = 1; column < 4; ++column) {
            EXPECT_EQ(list.Cell(row, column), "");
        }
    }
}

TYPED_TEST(ResultListContract, MissingCellsReadEmptyAndIgnoreWrites) {
    ResultList& list = this->list;
    list.AppendRow("1");
    list.SetCell(5, 0, "x");
    list.SetCell(0, 4, "x");
    list.SetCell(-1, 0, "x");
    list.SetCell(0, -1, "x");
    const std::pair<int, int> missing[] = {{-1, 0}, {1, 0}, {5, 3}, {0, 4}, {0, -1}};
    for (const auto& [row, column] : missing) {
        EXPECT_EQ(list.Cell(row, column), "") << row << "," << column;
    }
    EXPECT_EQ(list.AppendRow("2"), 1);
}

TYPED_TEST(ResultListContract, CellsGiveBackTheirBytesExactly) {
    ResultList& list = this->list;
    const int row = list.AppendRow("7");
    const Text title = Gbk(u8"易语言超级列表框源码");
    const Text undecodable = "ab\x81\x20\xff" + std::string(1, '\0') + "z";
    const Text longText(70000, 'w');
    list.SetCell(row, 1, "wode_source");
    list.SetCell(row, 2, undecodable);
    list.SetCell(row, 3, title);
    list.SetCell(row, 0, longText);
    EXPECT_EQ(list.Cell(row, 1), "wode_source");
    EXPECT_EQ(list.Cell(row, 2), undecodable);
    EXPECT_EQ(list.Cell(row, 3), title);
    EXPECT_EQ(list.Cell(row, 0), longText);
}

TYPED_TEST(ResultListContract, DeleteAllRowsStartsAgainFromZero) {
    ResultList& list = this->list;
    list.AppendRow("1");
    list.AppendRow("2");
    list.DeleteAllRows();
    EXPECT_EQ(list.Cell(0, 0), "");
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    EXPECT_EQ(list.AppendRow("1"), 0);
}

TEST(ResultListViewTest, ShowsDecodedTextAndTheWholeTitleAsATip) {
    ResultListView list(nullptr);
    const int row = list.AppendRow("1");
    list.SetCell(row, 3, Gbk(u8"超长的源码标题，列宽放不下"));
    const QTreeWidgetItem* item = list.topLevelItem(row);
    EXPECT_EQ(item->text(0), QStringLiteral("1"));
    EXPECT_EQ(item->text(3), ToQString(u8"超长的源码标题，列宽放不下"));
    EXPECT_EQ(item->toolTip(3), item->text(3));
    EXPECT_TRUE(item->toolTip(0).isEmpty());
}

// The row-focus event on the real list, driven by real clicks and keys.
class RowFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(routes, selection);
        window->OnMainWindowCreated();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        for (int row = 0; row < 5; ++row) {
            list().SetCell(list().AppendRow(std::to_string(row + 1)), 3, "title");
        }
    }

    ResultListView& list() { return window->ResultList(); }
    void Click(int row) {
        const QRect cell = list().visualItemRect(list().topLevelItem(row));
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
    }
    void Key(Qt::Key key) { QTest::keyClick(&list(), key); }
    int Events() const { return routes.requestDownload; }

    testsupport::RecordingRoutes routes;
    CatalogueSelection selection;
    std::unique_ptr<MainWindow> window;
};

TEST_F(RowFocusTest, AClickOnAnotherRowRaisesItAndOnTheCurrentRowDoesNot) {
    Click(1);
    EXPECT_EQ(Events(), 1);
    EXPECT_EQ(list().FirstSelectedRow(), 1);
    Click(1);
    QTest::mouseClick(list().viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list().visualItemRect(list().topLevelItem(1)).center());
    EXPECT_EQ(Events(), 1);
    Click(3);
    EXPECT_EQ(Events(), 2);
    EXPECT_EQ(list().FirstSelectedRow(), 3);
}

TEST_F(RowFocusTest, GainingTheFocusRaisesNothingAndTheFirstArrowReachesRowZero) {
    window->SearchBox().setFocus();
    QTest::keyClick(&window->SearchBox(), Qt::Key_Tab);  // on to the skin button
    list().setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list().hasFocus());
    EXPECT_EQ(Events(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(Events(), 1);
    EXPECT_EQ(list().FirstSelectedRow(), 0);
}

TEST_F(RowFocusTest, ArrowKeysRaiseOneEventPerRowReached) {
    Click(0);
    const std::pair<Qt::Key, int> moves[] = {{Qt::Key_Down, 1}, {Qt::Key_Down, 2},
                                             {Qt::Key_Up, 1},   {Qt::Key_End, 4},
                                             {Qt::Key_Down, 4}, {Qt::Key_Home, 0}};
    int expected = 1;
    for (const auto& [key, row] : moves) {
        const int before = list().currentIndex().row();
        Key(key);
        expected += before == row ? 0 : 1;
        EXPECT_EQ(Events(), expected) << key;
        EXPECT_EQ(list().FirstSelectedRow(), row) << key;
    }
}

TEST_F(RowFocusTest, DeletingAndAppendingRowsRaiseNothing) {
    Click(2);
    ASSERT_EQ(Events(), 1);
    list().setFocus();
    list().DeleteAllRows();
    EXPECT_EQ(list().AppendRow("1"), 0);
    list().AppendRow("2");
    QApplication::processEvents();
    EXPECT_EQ(Events(), 1);
    EXPECT_EQ(list().FirstSelectedRow(), -1);
    EXPECT_FALSE(list().currentIndex().isValid());
    Click(0);  // row 0 is another row now: the old current row is gone
    EXPECT_EQ(Events(), 2);
}

TEST_F(RowFocusTest, KeysOnAnEmptyListDoNothing) {
    list().DeleteAllRows();
    list().setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Home, Qt::Key_End, Qt::Key_PageDown,
                              Qt::Key_Space, Qt::Key_Return, Qt::Key_A}) {
        Key(key);
    }
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, QPoint(20, 200));
    EXPECT_EQ(Events(), 0);
    EXPECT_EQ(list().FirstSelectedRow(), -1);
}

TEST_F(RowFocusTest, ActivatingARowIsNotADownloadRequest) {
    Click(1);
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {},
                       list().visualItemRect(list().topLevelItem(1)).center());
    Key(Qt::Key_Return);
    EXPECT_EQ(Events(), 1);
    EXPECT_EQ(routes.harvestSearch, 0);
}

}  // namespace
}  // namespace zelkor
