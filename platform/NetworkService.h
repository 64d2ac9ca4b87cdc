#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

// Fetching one http or https address: the whole body of a 200 answer, or why there is none.
// Each fetch is bounded in size, in redirects and in how long the server may stay silent.

struct FetchLimits {
    qint64 maxBytes = 0;  // more than this fails the fetch, unread
    int stallMs = 30000;  // no byte for this long fails the fetch
    int maxRedirects = 5; // more than this fails the fetch
};

struct FetchResult {
    enum Status { Ok, Failed, Cancelled };
    Status status = Failed;
    QByteArray body;     // when Ok
    QString cause;       // when Failed: a sentence, "The server answered 404 Not Found."
    qint64 peakHeld = 0; // the most body bytes held at any time
};

struct FetchCallbacks {
    std::function<void(qint64 received, qint64 total)> progress; // total -1 when not known
    std::function<void(const FetchResult& result)> done;         // once, never inside fetch()
};

// One fetch under way. Deleting it stops the fetch without a `done` call. A QObject, so the
// owner can let it go with deleteLater() from inside its own `done`.
class FetchJob : public QObject {
public:
    // Stops the fetch; `done` follows with Cancelled unless the fetch had ended.
    virtual void cancel() = 0;
};

class NetworkService {
public:
    virtual ~NetworkService() = default;
    virtual std::unique_ptr<FetchJob> fetch(const QUrl& url, const FetchLimits& limits,
                                            FetchCallbacks callbacks) = 0;
};
