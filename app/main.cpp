#include <QApplication>

#include "app/programparts.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);  // the browser needs it early
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelkor-downloader"));
    zelkor::IdleProgramParts parts;
    return zelkor::RunProgram(application, parts);
}
