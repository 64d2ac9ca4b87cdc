#pragma once

#include <QByteArray>
#include <QHash>
#include <QTcpServer>
#include <QUrl>

// A small web server on 127.0.0.1 for the update tests: each path gives one kind of answer.
class ResultsServer : public QObject {
    Q_OBJECT

public:
    struct Answer {
        enum Kind { Whole, Stall, Truncated, Endless };
        Kind kind = Whole;
        QByteArray status = "200 OK";
        QByteArray body;
        QByteArray headers; // extra header lines, each ending in CR LF
    };

    ResultsServer();
    void serve(const QByteArray& path, const Answer& answer) { answers_[path] = answer; }
    void serve(const QByteArray& path, const QByteArray& body) {
        serve(path, Answer{Answer::Whole, "200 OK", body, {}});
    }
    // A redirect from `path` to `location`.
    void redirect(const QByteArray& path, const QByteArray& location);
    QString url(const QByteArray& path) const;

    int connections = 0;
    int requests = 0;
    qint64 endlessSent = 0; // body bytes of Endless answers written so far

private:
    void answer(QTcpSocket* socket, const QByteArray& path);
    void feed(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QByteArray, Answer> answers_;
};
