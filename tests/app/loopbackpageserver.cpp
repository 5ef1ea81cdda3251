#include "tests/app/loopbackpageserver.h"

#include <QHostAddress>

namespace zelkor::testsupport {

LoopbackPageServer::LoopbackPageServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Answer(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void LoopbackPageServer::AddPage(const QByteArray& path, const QByteArray& html) {
    pages_.insert(path, html);
}

void LoopbackPageServer::AddHangingPath(const QByteArray& path) {
    hanging_ << path;
}

QByteArray LoopbackPageServer::Address(const QByteArray& path) const {
    return "http://127.0.0.1:" + QByteArray::number(server_.serverPort()) + path;
}

void LoopbackPageServer::Answer(QTcpSocket* socket) {
    QByteArray request = socket->property("request").toByteArray() + socket->readAll();
    socket->setProperty("request", request);
    if (!request.contains("\r\n\r\n")) {
        return;
    }
    const QList<QByteArray> requestLine = request.left(request.indexOf("\r\n")).split(' ');
    const QByteArray path = requestLine.size() > 1 ? requestLine[1] : QByteArray();
    requested_ << path;
    if (hanging_.contains(path)) {
        held_ << socket;
        return;
    }
    const bool known = pages_.contains(path);
    const QByteArray body = known ? pages_.value(path) : QByteArray("not here");
    socket->write((known ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n") +
                  QByteArray("Content-Type: text/html; charset=gbk\r\nContent-Length: ") +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

}  // namespace zelkor::testsupport
