#include "QtNetworkService.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSslError>
#include <QTimer>

namespace {

constexpr qint64 ReadBufferBytes = 256 * 1024; // what Qt may hold beyond the body read so far

QString sizeText(qint64 bytes) {
    return QLocale::c().formattedDataSize(bytes, 0);
}

bool isWebScheme(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

class QtFetchJob : public FetchJob {
public:
    QtFetchJob(QNetworkAccessManager& manager, const QUrl& url, const FetchLimits& limits,
               FetchCallbacks callbacks)
        : limits_(limits), callbacks_(std::move(callbacks)) {
        QNetworkRequest request(url);
        // Never from https down to http: what comes over an encrypted link stays encrypted.
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setMaximumRedirectsAllowed(limits_.maxRedirects);
        request.setTransferTimeout(0);
        reply_ = manager.get(request);
        reply_->setReadBufferSize(ReadBufferBytes);
        connect(reply_, &QNetworkReply::metaDataChanged, this, &QtFetchJob::onMetaData);
        connect(reply_, &QNetworkReply::readyRead, this, &QtFetchJob::onReadyRead);
        connect(reply_, &QNetworkReply::redirected, this, &QtFetchJob::onRedirected);
        connect(reply_, &QNetworkReply::downloadProgress, this, &QtFetchJob::onProgress);
        connect(reply_, &QNetworkReply::finished, this, &QtFetchJob::onFinished);
        connect(reply_, &QNetworkReply::sslErrors, this, &QtFetchJob::onSslErrors);
        stall_.setSingleShot(true);
        stall_.setInterval(limits_.stallMs);
        connect(&stall_, &QTimer::timeout, this, &QtFetchJob::onStalled);
        stall_.start();
    }

    ~QtFetchJob() override { dropReply(); }

    void cancel() override { finish(FetchResult::Cancelled, {}); }

private:
    void dropReply() {
        if (!reply_)
            return;
        reply_->disconnect(this);
        reply_->abort();
        reply_->deleteLater();
        reply_ = nullptr;
    }

    void finish(FetchResult::Status status, const QString& cause) {
        if (ended_)
            return;
        ended_ = true;
        stall_.stop();
        dropReply();
        FetchResult result;
        result.status = status;
        result.cause = cause;
        result.peakHeld = peakHeld_;
        if (status == FetchResult::Ok)
            result.body = std::move(body_);
        body_ = QByteArray();
        QTimer::singleShot(0, this, [this, result] { callbacks_.done(result); });
    }
    void fail(const QString& cause) { finish(FetchResult::Failed, cause); }

    int statusCode() const {
        return reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    }
    // No final answer yet: an interim (1xx) one, or a redirect being followed.
    bool isPassingStatus() const {
        const int code = statusCode();
        return code < 200 || (code >= 300 && code < 400);
    }

    void failOnStatus() {
        fail(QStringLiteral("The server answered %1 %2.")
                 .arg(statusCode())
                 .arg(reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString())
                 .replace(QStringLiteral(" ."), QStringLiteral(".")));
    }

    void onMetaData() {
        stall_.start();
        if (isPassingStatus())
            return;
        if (statusCode() != 200)
            return failOnStatus();
        const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits_.maxBytes)
            tooLarge();
    }

    void onReadyRead() {
        stall_.start();
        if (isPassingStatus()) {
            reply_->skip(reply_->bytesAvailable());
            return;
        }
        if (statusCode() != 200)
            return failOnStatus();
        const qint64 available = reply_->bytesAvailable();
        if (body_.size() + available > limits_.maxBytes)
            return tooLarge();
        body_ += reply_->read(available);
        peakHeld_ = qMax(peakHeld_, qint64(body_.size()));
        if (callbacks_.progress && available > 0) {
            const QVariant length = reply_->header(QNetworkRequest::ContentLengthHeader);
            callbacks_.progress(body_.size(), length.isValid() ? length.toLongLong() : -1);
        }
    }

    void tooLarge() {
        fail(QStringLiteral("The answer is larger than %1, more than a results file holds.")
                 .arg(sizeText(limits_.maxBytes)));
    }

    void onRedirected(const QUrl& url) {
        stall_.start();
        if (!isWebScheme(url))
            fail(badRedirectText(url));
    }

    static QString badRedirectText(const QUrl& url) {
        return QStringLiteral("The server redirected to %1, which is not an http or https "
                              "address.")
            .arg(url.toDisplayString());
    }

    // Bytes are moving, even while Qt holds them back from readyRead.
    void onProgress() { stall_.start(); }

    void onSslErrors(const QList<QSslError>& errors) {
        QStringList texts;
        for (const QSslError& error : errors)
            texts << error.errorString();
        fail(QStringLiteral("The secure connection failed: %1.")
                 .arg(texts.join(QStringLiteral("; "))));
    }

    void onStalled() {
        fail(QStringLiteral("No data came for %1 s.")
                 .arg(QString::number(limits_.stallMs / 1000.0)));
    }

    void onFinished() {
        if (reply_->error() == QNetworkReply::NoError) {
            if (statusCode() != 200)
                return failOnStatus();
            onReadyRead();
            return finish(FetchResult::Ok, {});
        }
        fail(errorCause());
    }

    QString errorCause() const {
        const QString host = reply_->url().host();
        switch (reply_->error()) {
        case QNetworkReply::HostNotFoundError:
            return QStringLiteral("The host %1 was not found: no network, or an unknown name.")
                .arg(host);
        case QNetworkReply::ConnectionRefusedError:
            return QStringLiteral("The connection to %1 was refused.").arg(host);
        case QNetworkReply::RemoteHostClosedError:
            return QStringLiteral("The server closed the connection before the whole answer "
                                  "came.");
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
            return QStringLiteral("There is no network.");
        case QNetworkReply::SslHandshakeFailedError:
            return QStringLiteral("The secure connection failed: %1.").arg(reply_->errorString());
        case QNetworkReply::ProtocolUnknownError:
        case QNetworkReply::InsecureRedirectError: {
            const QUrl target =
                reply_->url().resolved(QUrl::fromEncoded(reply_->rawHeader("Location")));
            if (reply_->error() == QNetworkReply::ProtocolUnknownError)
                return badRedirectText(target);
            return QStringLiteral("The server redirected from https to %1, which is not "
                                  "encrypted.")
                .arg(target.toDisplayString());
        }
        case QNetworkReply::TooManyRedirectsError:
            return QStringLiteral("The server sent more than %1 redirects.")
                .arg(limits_.maxRedirects);
        default:
            break;
        }
        if (const int code = statusCode(); code != 0 && code != 200)
            return QStringLiteral("The server answered %1 %2.")
                .arg(code)
                .arg(reply_->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        return reply_->errorString() + u'.';
    }

    FetchLimits limits_;
    FetchCallbacks callbacks_;
    QPointer<QNetworkReply> reply_;
    QTimer stall_;
    QByteArray body_;
    qint64 peakHeld_ = 0;
    bool ended_ = false;
};

} // namespace

QtNetworkService::QtNetworkService() = default;

QtNetworkService::~QtNetworkService() = default;

std::unique_ptr<FetchJob> QtNetworkService::fetch(const QUrl& url, const FetchLimits& limits,
                                                  FetchCallbacks callbacks) {
    if (!manager_)
        manager_ = std::make_unique<QNetworkAccessManager>();
    return std::make_unique<QtFetchJob>(*manager_, url, limits, std::move(callbacks));
}
