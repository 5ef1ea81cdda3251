#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "app/aboutbox.h"
#include "app/browserboxview.h"
#include "app/mainwindow.h"
#include "app/qtext.h"
#include "app/resultlistview.h"
#include "app/searchboxview.h"
#include "app/skinbuttonview.h"
#include "app/statusbarview.h"
#include "app/windowface.h"
#include "tests/app/recordingroutes.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

QString U(std::u8string_view utf8) {
    return ToQString(utf8);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(routes, selection);
        window->OnMainWindowCreated();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QAction* MenuItem(const QString& menuTitle, const QString& itemText) {
        for (QAction* menuAction : window->menuBar()->actions()) {
            if (menuAction->text() != menuTitle) {
                continue;
            }
            for (QAction* item : menuAction->menu()->actions()) {
                if (item->text() == itemText) {
                    return item;
                }
            }
        }
        return nullptr;
    }

    testsupport::RecordingRoutes routes;
    CatalogueSelection selection;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, FrameTitleIconAndPlace) {
    EXPECT_EQ(window->windowTitle(), U(u8"Zelkor源码一键下载器"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(window->frameGeometry().size(), QSize(260, 568));  // no frame offscreen
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(window->frameGeometry().topLeft(),
              QPoint((screen.width() - 260) / 2, (screen.height() - 568) / 2));
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrderWithoutShortcutsOrSeparators) {
    const std::vector<std::pair<QString, QStringList>> expected = {
        {U(u8"源码分类"),
         {U(u8"系统工具"), U(u8"图形图像"), U(u8"多媒体类"), U(u8"游戏娱乐"), U(u8"数据库类"),
          U(u8"模块控件"), U(u8"行业软件"), U(u8"网络相关")}},
        {U(u8"教程分类"), {U(u8"入门教程"), U(u8"初级教程"), U(u8"进阶教程"), U(u8"高级教程")}},
        {U(u8"关于"), {U(u8"去百度网盘下载源码"), U(u8"关于本软")}},
    };
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    for (std::size_t m = 0; m < expected.size(); ++m) {
        QAction* menu = menus[static_cast<qsizetype>(m)];
        EXPECT_EQ(menu->text(), expected[m].first);
        ASSERT_NE(menu->menu(), nullptr);
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            items << item->text();
            EXPECT_FALSE(item->isSeparator());
            EXPECT_FALSE(item->isCheckable());
            EXPECT_TRUE(item->isEnabled());
            EXPECT_TRUE(item->shortcut().isEmpty());
        }
        EXPECT_EQ(items, expected[m].second);
    }
}

TEST_F(MainWindowTest, ControlsSitAtTheirPlaces) {
    const QWidget& face = window->Face();
    EXPECT_EQ(window->SearchButton().geometry(), QRect(186, 465, 60, 24));
    EXPECT_EQ(window->SearchButton().text(), U(u8"搜索"));
    EXPECT_EQ(window->SearchBox().geometry(), QRect(56, 469, 128, 20));
    EXPECT_EQ(window->SkinGroup().geometry(), QRect(3, 457, 245, 42));
    EXPECT_TRUE(window->SkinGroup().title().isEmpty());
    EXPECT_EQ(window->SkinButton().parentWidget(), &window->SkinGroup());
    EXPECT_EQ(window->SkinButton().geometry(), QRect(4, 10, 45, 24));
    EXPECT_EQ(window->SkinButton().text(), U(u8"皮肤"));
    EXPECT_EQ(window->Browser().geometry(), QRect(226, 78, 102, 80));
    EXPECT_EQ(window->ResultList().geometry(), QRect(2, 4, 246, 452));
    for (const QWidget* control : {static_cast<const QWidget*>(&window->SearchButton()),
                                   static_cast<const QWidget*>(&window->SearchBox()),
                                   static_cast<const QWidget*>(&window->SkinGroup()),
                                   static_cast<const QWidget*>(&window->ResultList())}) {
        EXPECT_EQ(control->parentWidget(), &face);
        EXPECT_TRUE(face.rect().contains(control->geometry()))
            << control->metaObject()->className();
        EXPECT_TRUE(control->isVisible());
    }
    EXPECT_FALSE(window->Browser().isVisible());
}

TEST_F(MainWindowTest, StatusBarDocksAtTheBottomWithOnePartEndingAt255) {
    const StatusBarView& bar = window->Status();
    EXPECT_EQ(bar.geometry().bottom(), window->rect().bottom());
    EXPECT_EQ(bar.width(), window->width());
    EXPECT_FALSE(bar.isSizeGripEnabled());
    EXPECT_EQ(bar.Part().geometry().right() + 1, 255);
    EXPECT_EQ(bar.Shown(), U(u8"自用Zelkor资源网源码一键下载器！"));
    EXPECT_GE(bar.geometry().top(), window->Face().mapTo(window.get(), QPoint(0, 499)).y());
}

TEST_F(MainWindowTest, ResultListColumns) {
    ResultListView& list = window->ResultList();
    ASSERT_EQ(list.columnCount(), 4);
    const QStringList headers = {U(u8"序号"), U(u8"日期"), QStringLiteral("ID"), U(u8"标题")};
    const int widths[] = {40, 0, 0, 180};
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list.headerItem()->text(column), headers[column]);
        EXPECT_EQ(list.columnWidth(column), widths[column]) << column;
    }
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(list.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(list.isSortingEnabled());
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_FALSE(list.currentIndex().isValid());
}

TEST_F(MainWindowTest, StatusTextPaintsAtOnceWithoutTheEventLoop) {
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    const_cast<QLabel&>(window->Status().Part()).installEventFilter(&counter);
    window->Controls().statusBar.SetStatusText(Gbk(u8"正在采集第1页"));
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(window->Status().Shown(), U(u8"正在采集第1页"));
}

TEST_F(MainWindowTest, CategoryItemsSetTheSelectionThenHarvest) {
    struct Case {
        std::u8string_view menu, item;
        const char* section;
        const char* category;
    };
    const Case cases[] = {
        {u8"源码分类", u8"系统工具", "wode_source", "etools"},
        {u8"源码分类", u8"网络相关", "wode_source", "enetwork"},
        {u8"教程分类", u8"入门教程", "wode_study", "eintroduction"},
        {u8"教程分类", u8"高级教程", "wode_study", "eadvanced"},
    };
    int harvests = 0;
    for (const Case& c : cases) {
        QAction* item = MenuItem(U(c.menu), U(c.item));
        ASSERT_NE(item, nullptr);
        item->trigger();
        EXPECT_EQ(routes.harvestCategory, ++harvests);
        EXPECT_EQ(selection.currentSection, c.section);
        EXPECT_EQ(selection.currentCategory, c.category);
    }
    EXPECT_EQ(routes.Total(), harvests + 1);  // plus skin 2 at start-up
}

TEST_F(MainWindowTest, ButtonsReachTheirRoutinesOncePerClick) {
    QTest::mouseClick(&window->SearchButton(), Qt::LeftButton);
    EXPECT_EQ(routes.harvestSearch, 1);
    QTest::mouseClick(&window->SkinButton(), Qt::LeftButton);
    EXPECT_EQ(routes.nextSkin, 1);
    // Two quick clicks, as Qt delivers a double click: the second press comes with a
    // double-click event.
    for (QWidget* button : {static_cast<QWidget*>(&window->SearchButton()),
                            static_cast<QWidget*>(&window->SkinButton())}) {
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
        QTest::mousePress(button, Qt::LeftButton);
        QTest::mouseDClick(button, Qt::LeftButton);
        QTest::mouseRelease(button, Qt::LeftButton);
    }
    EXPECT_EQ(routes.harvestSearch, 3);
    EXPECT_EQ(routes.nextSkin, 3);
    EXPECT_EQ(routes.appliedSkins, std::vector<int>{2});
    EXPECT_EQ(routes.requestDownload + routes.harvestCategory, 0);
}

TEST_F(MainWindowTest, ControlsInsideTheSkinGroupsFrameTakeTheirOwnClicks) {
    // The group box's frame surrounds the search controls; a click there must reach them, as a
    // user's click does, not the group box drawn around them.
    for (QWidget* control : {static_cast<QWidget*>(&window->SearchButton()),
                             static_cast<QWidget*>(&window->SearchBox()),
                             static_cast<QWidget*>(&window->SkinButton())}) {
        const QPoint centre = control->mapTo(window.get(), control->rect().center());
        EXPECT_EQ(window->childAt(centre), control) << control->metaObject()->className();
    }
}

TEST_F(MainWindowTest, EnterInTheSearchBoxSearchesWhateverTheModifiers) {
    SearchBoxView& box = window->SearchBox();
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("abc"));
    EXPECT_EQ(routes.harvestSearch, 0);
    EXPECT_EQ(box.SearchText(), "abc");  // keys go on to the box
    const Qt::KeyboardModifiers modifiers[] = {Qt::NoModifier, Qt::ShiftModifier,
                                               Qt::ControlModifier, Qt::AltModifier};
    int searches = 0;
    for (const Qt::KeyboardModifiers held : modifiers) {
        QTest::keyClick(&box, Qt::Key_Return, held);
        EXPECT_EQ(routes.harvestSearch, ++searches) << held;
    }
    QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(routes.harvestSearch, ++searches);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, SearchBoxReportsVirtualKeyCodes) {
    QSignalSpy keys(&window->SearchBox(), &SearchBoxView::KeyDown);
    const std::pair<Qt::Key, int> cases[] = {{Qt::Key_Return, 13}, {Qt::Key_A, 65},
                                             {Qt::Key_5, 53},      {Qt::Key_Down, 40},
                                             {Qt::Key_F1, 112},    {Qt::Key_Backspace, 8}};
    for (const auto& [key, code] : cases) {
        QTest::keyClick(&window->SearchBox(), key);
        ASSERT_FALSE(keys.isEmpty());
        EXPECT_EQ(keys.takeLast().at(0).toInt(), code) << key;
    }
}

TEST_F(MainWindowTest, SearchTextComesBackAsGbkWithUnencodableCharactersAsQuestionMarks) {
    window->SearchBox().setText(U(u8"易语言 源码"));
    EXPECT_EQ(window->Controls().searchBox.SearchText(), Gbk(u8"易语言 源码"));
    window->SearchBox().setText(U(u8"源码😀"));
    EXPECT_EQ(window->Controls().searchBox.SearchText(), Gbk(u8"源码") + "?");
}

TEST_F(MainWindowTest, SkinCaptionShowsTheGivenText) {
    window->Controls().skinButton.SetCaption(Gbk(u8"皮肤33"));
    EXPECT_EQ(window->SkinButton().text(), U(u8"皮肤33"));
}

class EscapeTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

TEST_P(EscapeTest, EscapeClosesTheWindowWhereverTheFocusIs) {
    QWidget* focused[] = {&window->ResultList(), &window->SearchBox(), &window->SearchButton(),
                          &window->SkinButton()};
    QWidget* target = focused[GetParam()];
    window->ResultList().AppendRow("1");
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible()) << target->metaObject()->className();
}

INSTANTIATE_TEST_SUITE_P(Focus, EscapeTest, ::testing::Range(0, 4));

TEST_F(MainWindowTest, PressOnABarePartOfTheFaceDragsTheWindow) {
    QWidget& face = window->Face();
    const QPoint bare(251, 200);  // right of the list
    ASSERT_EQ(face.childAt(bare), nullptr);
    const QPoint before = window->pos();
    const QPoint grab = face.mapToGlobal(bare);
    const auto send = [&face, &bare](QEvent::Type type, QPoint global, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(bare), QPointF(global), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(&face, &event);
    };
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(30, 20), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grab + QPoint(30, 20), Qt::NoButton);
    send(QEvent::MouseMove, grab + QPoint(90, 90), Qt::NoButton);
    EXPECT_EQ(window->pos(), before + QPoint(30, 20));
}

TEST_F(MainWindowTest, AboutBoxShowsItsTitleIconButtonAndFourLines) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    Qt::WindowModality modality = Qt::NonModal;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        modality = box->windowModality();
        box->accept();
    });
    QAction* about = MenuItem(U(u8"关于"), U(u8"关于本软"));
    ASSERT_NE(about, nullptr);
    about->trigger();
    EXPECT_EQ(title, U(u8"关于本软："));
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(modality, Qt::ApplicationModal);
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(".example/")));
    EXPECT_TRUE(lines[2].endsWith(QString::fromLatin1(kCloudDriveShareAddress)));
    EXPECT_TRUE(lines[3].contains(QString::fromLatin1(kAboutContactNumber)));
    EXPECT_EQ(routes.Total(), 1);
}

// Receives the address that the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

TEST_F(MainWindowTest, CloudDriveItemOpensTheShareAddressInTheBrowser) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
    QAction* share = MenuItem(U(u8"关于"), U(u8"去百度网盘下载源码"));
    ASSERT_NE(share, nullptr);
    share->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].toString(), QString::fromLatin1(kCloudDriveShareAddress));
    EXPECT_TRUE(catcher.opened[0].host().endsWith(QStringLiteral(".example")));
}

}  // namespace
}  // namespace zelkor

#include "mainwindow_test.moc"
