#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/programparts.h"
#include "app/qtext.h"
#include "app/startup.h"
#include "app/statusbarview.h"
#include "tests/app/recordingroutes.h"

namespace zelkor {
namespace {

// Writes down each step of the program's life with what could be seen at that moment, and
// closes the window as soon as it has shown.
class RecordingParts final : public ProgramParts {
public:
    void CreatePatternMatcher() override {
        steps.push_back(QDir::currentPath() == QCoreApplication::applicationDirPath()
                            ? "pattern matcher (in program dir)"
                            : "pattern matcher (elsewhere)");
    }
    void CreatePageAutomation() override { steps.push_back("page automation"); }
    CommandRoutes& BindWindow(MainWindow& shell, CatalogueSelection& chosen) override {
        window = &shell;
        selection = &chosen;
        steps.push_back(shell.isVisible() ? "bind (visible)" : "bind (hidden)");
        routes.onApplySkin = [this] {
            steps.push_back(window->isVisible() ? "skin (visible)" : "skin (hidden)");
        };
        QTimer::singleShot(0, &shell, [this] {
            steps.push_back(window->isVisible() ? "shown" : "not shown");
            firstStatus = window->Status().Shown();
            window->menuBar()->actions().first()->menu()->actions().first()->trigger();
            window->close();
        });
        return routes;
    }
    void DestroyPatternMatcher() override {
        steps.push_back(window.isNull() && !selection->currentCategory.empty()
                            ? "destroy pattern matcher (window gone, selection kept)"
                            : "destroy pattern matcher (too early)");
    }
    void DestroyPageAutomation() override {
        steps.push_back(selection->currentCategory.empty() && selection->currentSection.empty()
                            ? "destroy page automation (selection released)"
                            : "destroy page automation (selection kept)");
    }

    std::vector<std::string> steps;
    QString firstStatus;
    testsupport::RecordingRoutes routes;

private:
    QPointer<MainWindow> window;
    CatalogueSelection* selection = nullptr;
};

TEST(StartupTest, RunsThroughItsStepsInTheFixedOrder) {
    RecordingParts parts;
    const QString before = QDir::currentPath();
    const int exitCode = RunProgram(*qApp, parts);
    QDir::setCurrent(before);
    EXPECT_EQ(exitCode, 0);
    const std::vector<std::string> expected = {
        "pattern matcher (in program dir)",
        "page automation",
        "bind (hidden)",
        "skin (hidden)",
        "shown",
        "destroy pattern matcher (window gone, selection kept)",
        "destroy page automation (selection released)",
    };
    EXPECT_EQ(parts.steps, expected);
    EXPECT_EQ(parts.routes.appliedSkins, std::vector<int>{2});
    EXPECT_EQ(parts.routes.harvestCategory, 1);
    EXPECT_EQ(parts.firstStatus, ToQString(u8"自用Zelkor资源网源码一键下载器！"));
}

}  // namespace
}  // namespace zelkor
