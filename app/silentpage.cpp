#include "app/silentpage.h"

#include <QRandomGenerator>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace zelkor {
namespace {

QString RandomToken() {
    QString token = QStringLiteral("zelkor-parsed-");
    for (int i = 0; i < 4; ++i) {
        token += QString::number(QRandomGenerator::system()->generate(), 16);
    }
    return token;
}

}  // namespace

SilentPage::SilentPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), token_(RandomToken()) {
    QWebEngineScript report;
    report.setName(QStringLiteral("zelkor-parsed"));
    report.setWorldId(QWebEngineScript::ApplicationWorld);
    report.setInjectionPoint(QWebEngineScript::DocumentReady);
    report.setRunsOnSubFrames(true);
    report.setSourceCode(QStringLiteral("console.info('%1');").arg(token_));
    scripts().insert(report);

    connect(this, &QWebEnginePage::certificateError, this,
            [](const QWebEngineCertificateError& error) {
                auto copy = error;
                copy.rejectCertificate();
            });
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](const QWebEngineFullScreenRequest& request) {
                auto copy = request;
                copy.reject();
            });
}

void SilentPage::javaScriptAlert(const QUrl&, const QString&) {}

bool SilentPage::javaScriptConfirm(const QUrl&, const QString&) {
    return false;
}

bool SilentPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) {
    return false;
}

QStringList SilentPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
    return {};
}

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message,
                                          int, const QString&) {
    if (message == token_) {
        emit Parsed();
    }
}

}  // namespace zelkor
