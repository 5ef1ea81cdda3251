#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <memory>

#include "app/browserboxview.h"
#include "app/mainwindow.h"
#include "tests/app/loopbackpageserver.h"
#include "tests/app/recordingroutes.h"

namespace zelkor {
namespace {

constexpr int kLoadTimeoutMs = 20000;

class BrowserBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Listening());
        server.AddPage("/down.php",
                       "<html><body><p>download page</p>"
                       "<iframe src=\"/frame.html\"></iframe>"
                       "<input type=\"image\" src=\"/go.gif\"></body></html>");
        server.AddPage("/frame.html", "<html><body>frame</body></html>");
        server.AddPage("/alerts.html",
                       "<html><body><script>alert('x'); confirm('y'); prompt('z');"
                       "console.info('not the token');</script></body></html>");
        server.AddHangingPath("/hang.php");
        window = std::make_unique<MainWindow>(routes, selection);
        window->OnMainWindowCreated();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // True when nothing of the browser shows: neither the box, nor anything inside it, nor a
    // window of its own.
    bool NothingOfTheBrowserShows() const {
        BrowserBoxView& box = window->Browser();
        if (box.isVisible()) {
            return false;
        }
        for (const QWidget* inside : box.findChildren<QWidget*>()) {
            if (inside->isVisible()) {
                return false;
            }
        }
        for (const QWidget* top : QApplication::topLevelWidgets()) {
            if (top != window.get() && top->isVisible()) {
                return false;
            }
        }
        return true;
    }

    // Runs the event loop until `done` or the time-out, checking that the browser stays hidden.
    template <typename Done>
    bool RunUntil(Done done, int timeoutMs, bool* stayedHidden) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < timeoutMs) {
            QTest::qWait(10);
            *stayedHidden = *stayedHidden && NothingOfTheBrowserShows();
        }
        return done();
    }

    testsupport::LoopbackPageServer server;
    testsupport::RecordingRoutes routes;
    CatalogueSelection selection;
    std::unique_ptr<MainWindow> window;
};

TEST_F(BrowserBoxTest, APageWithOneFrameLoadsUnseenAndRaisesTheEventOncePerDocument) {
    QSignalSpy loaded(window->Browser().page(), &QWebEnginePage::loadFinished);
    window->Controls().browserBox.Navigate(server.Address("/down.php").toStdString());
    EXPECT_EQ(routes.downloadPageNavigated, 0);  // Navigate returns before anything loads
    bool stayedHidden = NothingOfTheBrowserShows();
    ASSERT_TRUE(RunUntil([&] { return !loaded.isEmpty(); }, kLoadTimeoutMs, &stayedHidden));
    RunUntil([] { return false; }, 500, &stayedHidden);  // late reports would show up here
    EXPECT_TRUE(loaded.first().at(0).toBool());
    EXPECT_EQ(routes.downloadPageNavigated, 2);
    EXPECT_TRUE(stayedHidden);
    EXPECT_TRUE(server.RequestedPaths().contains("/frame.html"));
}

TEST_F(BrowserBoxTest, ScriptDialogsAndConsoleTextAreSwallowed) {
    QSignalSpy loaded(window->Browser().page(), &QWebEnginePage::loadFinished);
    window->Browser().Navigate(server.Address("/alerts.html").toStdString());
    bool stayedHidden = true;
    ASSERT_TRUE(RunUntil([&] { return !loaded.isEmpty(); }, kLoadTimeoutMs, &stayedHidden));
    QTest::qWait(200);
    EXPECT_TRUE(stayedHidden);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(routes.downloadPageNavigated, 1);
}

TEST_F(BrowserBoxTest, ClosingWhileAPageLoadsIsSafe) {
    window->Browser().Navigate(server.Address("/hang.php").toStdString());
    bool stayedHidden = true;
    ASSERT_TRUE(RunUntil([&] { return server.RequestedPaths().contains("/hang.php"); },
                         kLoadTimeoutMs, &stayedHidden));
    window->close();
    window.reset();
    QTest::qWait(100);
    EXPECT_TRUE(stayedHidden);
    EXPECT_EQ(routes.downloadPageNavigated, 0);
}

TEST_F(BrowserBoxTest, ShowingTheBoxLeavesItHidden) {
    window->Browser().show();
    window->Browser().setVisible(true);
    EXPECT_FALSE(window->Browser().isVisible());
}

}  // namespace
}  // namespace zelkor
