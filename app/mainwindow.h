#pragma once

#include <QMainWindow>
#include <cstdint>

#include "controls/mainwindowcontrol.h"
#include "controls/windowcontrols.h"
#include "harvest/categories.h"

class QGroupBox;
class QPushButton;

namespace zelkor {

class BrowserBoxView;
class CommandRoutes;
class ResultListView;
class SearchBoxView;
class SkinButtonView;
class StatusBarView;
class WindowFace;

// The one main window: menu bar, the seven controls at their fixed places, and the routing of
// every command and event to `routes`. Category commands set `selection` first.
class MainWindow final : public QMainWindow, public MainWindowControl {
    Q_OBJECT

public:
    static constexpr int kOuterWidth = 260;
    static constexpr int kOuterHeight = 568;

    MainWindow(CommandRoutes& routes, CatalogueSelection& selection);

    // The window's created event: skin 2, then shown, then the first status text.
    void OnMainWindowCreated();
    void MakeVisible() override;
    // Enter (with or without modifiers) starts a search; every other key does nothing.
    void OnSearchBoxKeyDown(std::int32_t keyCode);

    WindowControls Controls();
    BrowserBoxView& Browser() { return *browser_; }
    ResultListView& ResultList() { return *resultList_; }
    StatusBarView& Status() { return *statusBar_; }
    SearchBoxView& SearchBox() { return *searchBox_; }
    QPushButton& SearchButton() { return *searchButton_; }
    SkinButtonView& SkinButton() { return *skinButton_; }
    QGroupBox& SkinGroup() { return *skinGroup_; }
    WindowFace& Face() { return *face_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void BuildMenus();
    void BuildControls();
    void FitOuterSize();
    void Centre();

    CommandRoutes& routes_;
    CatalogueSelection& selection_;
    // All owned by the window through Qt's parent chain.
    WindowFace* face_ = nullptr;
    StatusBarView* statusBar_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    SearchBoxView* searchBox_ = nullptr;
    QGroupBox* skinGroup_ = nullptr;
    SkinButtonView* skinButton_ = nullptr;
    BrowserBoxView* browser_ = nullptr;
    ResultListView* resultList_ = nullptr;
};

}  // namespace zelkor
