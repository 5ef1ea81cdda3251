#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace zelkor::testsupport {

// A tiny HTTP server on 127.0.0.1 (free port) answering GET requests from a table of pages.
// A path marked as hanging is accepted and never answered.
class LoopbackPageServer final : public QObject {
    Q_OBJECT

public:
    LoopbackPageServer();

    void AddPage(const QByteArray& path, const QByteArray& html);
    void AddHangingPath(const QByteArray& path);
    // "http://127.0.0.1:<port>" followed by `path`.
    QByteArray Address(const QByteArray& path) const;
    bool Listening() const { return server_.isListening(); }
    const QList<QByteArray>& RequestedPaths() const { return requested_; }

private:
    void Answer(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QByteArray, QByteArray> pages_;
    QList<QByteArray> hanging_;
    QList<QByteArray> requested_;
    QList<QPointer<QTcpSocket>> held_;
};

}  // namespace zelkor::testsupport
