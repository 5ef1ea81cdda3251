#include <QApplication>

#include "app/coreparts.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the browser needs it early
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelkor-downloader"));
    zelkor::CoreProgramParts parts;
    return zelkor::RunProgram(application, parts);
}
