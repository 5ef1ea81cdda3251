#pragma once

#include <QString>
#include <QWebEnginePage>

namespace zelkor {

// A page that never opens a dialog of its own and reports each parsed document (the page and
// every frame) through Parsed(). The report travels as a console message carrying a random
// token that the page's own scripts cannot see, so no page can fake it.
class SilentPage final : public QWebEnginePage {
    Q_OBJECT

public:
    SilentPage(QWebEngineProfile* profile, QObject* parent);

signals:
    void Parsed();

protected:
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg,
                          const QString& defaultValue, QString* result) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;

private:
    QString token_;
};

}  // namespace zelkor
