#include "app/mainwindow.h"

#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "app/aboutbox.h"
#include "app/browserboxview.h"
#include "app/commandroutes.h"
#include "app/qtext.h"
#include "app/resultlistview.h"
#include "app/searchboxview.h"
#include "app/skinbuttonview.h"
#include "app/statusbarview.h"
#include "app/windowface.h"
#include "text/gbk.h"

namespace zelkor {
namespace {

constexpr std::int32_t kEnterKey = 13;
// The lowest point any control of the face reaches (the group box's bottom edge), plus a pixel.
constexpr int kFaceHeight = 500;
constexpr int kFaceWidth = 250;

}  // namespace

MainWindow::MainWindow(CommandRoutes& routes, CatalogueSelection& selection)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      routes_(routes),
      selection_(selection) {
    setWindowTitle(ToQString(u8"Zelkor源码一键下载器"));
    setWindowIcon(QIcon(QStringLiteral(":/zelkor/zelkor.png")));
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);

    BuildMenus();
    BuildControls();
    setFixedSize(kOuterWidth, kOuterHeight);
    Centre();
}

void MainWindow::BuildMenus() {
    menuBar()->setNativeMenuBar(false);
    for (const std::u8string_view title : {kSourceMenu, kTutorialMenu}) {
        QMenu* menu = menuBar()->addMenu(ToQString(title));
        for (const CategoryRow& row : kCategoryTable) {
            if (row.menu != title) {
                continue;
            }
            connect(menu->addAction(ToQString(row.command)), &QAction::triggered, this,
                    [this, &row] {
                        SelectCategory(selection_, row);
                        routes_.HarvestCategory();
                    });
        }
    }
    QMenu* about = menuBar()->addMenu(ToQString(u8"关于"));
    connect(about->addAction(ToQString(u8"去百度网盘下载源码")), &QAction::triggered, this,
            &OpenCloudDriveShare);
    connect(about->addAction(ToQString(u8"关于本软")), &QAction::triggered, this, &ShowAbout);
}

void MainWindow::BuildControls() {
    face_ = new WindowFace(this);
    face_->setMinimumSize(kFaceWidth, kFaceHeight);
    setCentralWidget(face_);

    statusBar_ = new StatusBarView(this);
    setStatusBar(statusBar_);

    searchButton_ = new QPushButton(ToQString(u8"搜索"), face_);
    searchButton_->setGeometry(186, 465, 60, 24);
    connect(searchButton_, &QPushButton::clicked, this, [this] { routes_.HarvestSearch(); });

    searchBox_ = new SearchBoxView(face_);
    searchBox_->setGeometry(56, 469, 128, 20);
    connect(searchBox_, &SearchBoxView::KeyDown, this, &MainWindow::OnSearchBoxKeyDown);

    skinGroup_ = new QGroupBox(face_);
    skinGroup_->setGeometry(3, 457, 245, 42);
    // A group box is only a frame drawn around its neighbours: it stays beneath them, so
    // clicks on the search box and button reach them (and a press on its bare part drags).
    skinGroup_->lower();
    skinButton_ = new SkinButtonView(skinGroup_);
    skinButton_->setGeometry(4, 10, 45, 24);
    connect(skinButton_, &QPushButton::clicked, this, [this] { routes_.NextSkin(); });

    browser_ = new BrowserBoxView(face_);
    browser_->setGeometry(226, 78, 102, 80);
    connect(browser_, &BrowserBoxView::NavigationComplete, this,
            [this] { routes_.OnDownloadPageNavigated(); });

    resultList_ = new ResultListView(face_);
    resultList_->setGeometry(2, 4, 246, 452);
    connect(resultList_, &ResultListView::RowFocused, this, [this] { routes_.RequestDownload(); });
}

void MainWindow::OnMainWindowCreated() {
    routes_.ApplySkin(2);
    MakeVisible();
    statusBar_->SetStatusText(Gbk(u8"自用Zelkor资源网源码一键下载器！"));
}

void MainWindow::MakeVisible() {
    show();
}

void MainWindow::OnSearchBoxKeyDown(std::int32_t keyCode) {
    if (keyCode == kEnterKey) {
        routes_.HarvestSearch();
    }
}

WindowControls MainWindow::Controls() {
    return {*resultList_, *statusBar_, *searchBox_, *skinButton_, *browser_, *this};
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // Reaches the window only when the focused control did not take the key.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &MainWindow::FitOuterSize);
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // The window manager reports its frame late, by moving the window into it.
    FitOuterSize();
}

// The outer size, frame included, is 260 x 568 where the frame allows it; never so small that a
// control leaves the face.
void MainWindow::FitOuterSize() {
    if (!isVisible()) {
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    const int least = menuBar()->sizeHint().height() + kFaceHeight + statusBar_->height();
    const QSize wanted(std::max(kOuterWidth - frame.width(), kFaceWidth),
                       std::max(kOuterHeight - frame.height(), least));
    if (wanted != size()) {
        setFixedSize(wanted);
        Centre();
    }
}

void MainWindow::Centre() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    const QRect area = shownOn->geometry();
    move(area.x() + (area.width() - kOuterWidth) / 2,
         area.y() + (area.height() - kOuterHeight) / 2);
}

}  // namespace zelkor
