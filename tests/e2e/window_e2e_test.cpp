#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "app/coreparts.h"
#include "app/mainwindow.h"
#include "app/qtext.h"
#include "app/resultlistview.h"
#include "app/searchboxview.h"
#include "app/statusbarview.h"
#include "harvest/sitebase.h"
#include "tests/support/childprocess.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

using ::testing::StartsWith;

// The program's own window and core parts, offscreen, against the demo site.
class WindowHarvestTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { site = new testsupport::DemoSiteProcess(); }
    static void TearDownTestSuite() {
        delete site;
        site = nullptr;
    }

    void SetUp() override {
        ASSERT_FALSE(site->Base().empty()) << "the demo site did not start";
        previousBase = SiteBase();
        SetSiteBase(site->Base());
        parts.CreatePatternMatcher();
        window = std::make_unique<MainWindow>(relay, selection);
        relay.Bind(parts.BindWindow(*window, selection));
        window->OnMainWindowCreated();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        window.reset();
        parts.DestroyPatternMatcher();
        SetSiteBase(previousBase);
    }

    QAction* MenuItem(std::u8string_view text) {
        for (QAction* menu : window->menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions()) {
                if (item->text() == ToQString(text)) {
                    return item;
                }
            }
        }
        return nullptr;
    }

    // The rows as zelkor-cli prints them: columns joined by tabs, as UTF-8.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        ResultListView& list = window->ResultList();
        for (int r = 0; r < list.topLevelItemCount(); ++r) {
            std::string row;
            for (int c = 0; c < 4; ++c) {
                row += (c ? "\t" : "") + GbkToUtf8(list.Cell(r, c));
            }
            rows.push_back(row);
        }
        return rows;
    }

    static std::vector<std::string> CliRows(const std::vector<std::string>& command) {
        std::vector<std::string> argv{ZELKOR_CLI, "--site-base", site->Base()};
        argv.insert(argv.end(), command.begin(), command.end());
        const testsupport::ProcessResult result = testsupport::RunProcess(argv);
        std::vector<std::string> rows;
        std::size_t start = 0;
        for (std::size_t end; (end = result.out.find('\n', start)) != std::string::npos;
             start = end + 1) {
            rows.push_back(result.out.substr(start, end - start));
        }
        return rows;
    }

    std::string Status() { return window->Status().Shown().toStdString(); }

    static testsupport::DemoSiteProcess* site;
    Text previousBase;
    CoreProgramParts parts;
    RouteRelay relay;
    CatalogueSelection selection;
    std::unique_ptr<MainWindow> window;
};

testsupport::DemoSiteProcess* WindowHarvestTest::site = nullptr;

TEST_F(WindowHarvestTest, CategoryMenuItemFillsTheListAsTheCliDoes) {
    QAction* item = MenuItem(u8"游戏娱乐");
    ASSERT_NE(item, nullptr);
    item->trigger();
    const auto rows = Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows, CliRows({"category", "egame"}));
    EXPECT_THAT(Status(), StartsWith("本类源码共：" + std::to_string(rows.size()) + "个，用时："));
    EXPECT_EQ(selection.currentCategory, "egame");

    // A second category replaces the rows and numbers from 1 again.
    MenuItem(u8"入门教程")->trigger();
    const auto tutorial = Rows();
    ASSERT_FALSE(tutorial.empty());
    EXPECT_THAT(tutorial.front(), StartsWith("1\t"));
    EXPECT_EQ(tutorial, CliRows({"category", "eintroduction"}));
}

TEST_F(WindowHarvestTest, EnterInTheSearchBoxHarvestsTheKeyword) {
    SearchBoxView& box = window->SearchBox();
    box.setText(ToQString(u8"数据库"));
    QTest::keyClick(&box, Qt::Key_Return);
    const auto rows = Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows, CliRows({"search", "数据库"}));
    EXPECT_THAT(Status(),
                StartsWith("搜到的源码共：" + std::to_string(rows.size()) + "个， 用时： "));
}

}  // namespace
}  // namespace zelkor
