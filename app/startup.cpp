#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include "app/commandroutes.h"
#include "app/mainwindow.h"
#include "app/programparts.h"
#include "harvest/categories.h"

namespace zelkor {
namespace {

// Runs when RunProgram leaves, after the window has been destroyed.
class ShutdownRoutine {
public:
    ShutdownRoutine(ProgramParts& parts, CatalogueSelection& selection)
        : parts_(parts), selection_(selection) {}
    ShutdownRoutine(const ShutdownRoutine&) = delete;
    ShutdownRoutine& operator=(const ShutdownRoutine&) = delete;
    ~ShutdownRoutine() {
        parts_.DestroyPatternMatcher();
        selection_.currentCategory.clear();
        selection_.currentSection.clear();
        parts_.DestroyPageAutomation();
    }

private:
    ProgramParts& parts_;
    CatalogueSelection& selection_;
};

}  // namespace

int RunProgram(QApplication& application, ProgramParts& parts) {
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    QApplication::setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));

    parts.CreatePatternMatcher();
    parts.CreatePageAutomation();

    CatalogueSelection selection;
    RouteRelay routes;
    const ShutdownRoutine shutdown(parts, selection);

    MainWindow window(routes, selection);
    routes.Bind(parts.BindWindow(window, selection));
    window.OnMainWindowCreated();
    return application.exec();
}

}  // namespace zelkor
