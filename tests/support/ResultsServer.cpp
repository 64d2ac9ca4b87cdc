#include "ResultsServer.h"

#include <QTcpSocket>

namespace {
constexpr qint64 EndlessChunk = 64 * 1024;
constexpr qint64 EndlessCap = 512 * 1024 * 1024; // a client that never stops still ends
} // namespace

ResultsServer::ResultsServer() {
    if (!server_.listen(QHostAddress::LocalHost, 0))
        qFatal("the test server cannot listen");
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            ++connections;
            socket->setParent(this);
            // Requests on one connection are answered in turn, as a keep-alive server does.
            auto pending = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, pending] {
                *pending += socket->readAll();
                qsizetype end = 0;
                while ((end = pending->indexOf("\r\n\r\n")) >= 0) {
                    const QByteArray request = pending->left(end);
                    pending->remove(0, end + 4);
                    answer(socket, request.split(' ').value(1));
                }
            });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

void ResultsServer::redirect(const QByteArray& path, const QByteArray& location) {
    serve(path, Answer{Answer::Whole, "302 Found", {}, "Location: " + location + "\r\n"});
}

QString ResultsServer::url(const QByteArray& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2")
        .arg(server_.serverPort())
        .arg(QLatin1String(path));
}

void ResultsServer::answer(QTcpSocket* socket, const QByteArray& path) {
    ++requests;
    const Answer found = answers_.value(path, Answer{Answer::Whole, "404 Not Found", "gone", {}});
    if (found.kind == Answer::Stall)
        return;
    QByteArray head = "HTTP/1.1 " + found.status + "\r\n" + found.headers;
    if (found.kind == Answer::Endless) {
        socket->write(head + "Content-Type: text/plain\r\nConnection: close\r\n\r\n");
        connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { feed(socket); });
        feed(socket);
        return;
    }
    if (found.kind == Answer::Whole) {
        socket->write(head + "Content-Length: " + QByteArray::number(found.body.size()) +
                      "\r\n\r\n" + found.body);
        return;
    }
    // Truncated: half the body it announces, then the connection closes.
    socket->write(head + "Content-Length: " + QByteArray::number(found.body.size() * 2) +
                  "\r\nConnection: close\r\n\r\n" + found.body);
    socket->disconnectFromHost();
}

// Keeps a little ahead of what the client reads, so a client that stops reading stops it.
void ResultsServer::feed(QTcpSocket* socket) {
    if (socket->state() != QAbstractSocket::ConnectedState || endlessSent >= EndlessCap ||
        socket->bytesToWrite() > EndlessChunk)
        return;
    socket->write(QByteArray(EndlessChunk, '7'));
    endlessSent += EndlessChunk;
}
