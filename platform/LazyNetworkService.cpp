#include "LazyNetworkService.h"

#include "BackendPlugins.h"

#include <QPluginLoader>
#include <QTimer>

namespace {

// A fetch that could not start: says so once, after fetch() has returned.
class RefusedFetch : public FetchJob {
public:
    explicit RefusedFetch(FetchCallbacks callbacks) : callbacks_(std::move(callbacks)) {
        QTimer::singleShot(0, this, [this] {
            FetchResult result;
            result.cause = QStringLiteral("The network could not be started.");
            if (!ended_) {
                ended_ = true;
                callbacks_.done(result);
            }
        });
    }
    void cancel() override {
        if (ended_)
            return;
        ended_ = true;
        QTimer::singleShot(0, this, [this] {
            callbacks_.done({FetchResult::Cancelled, {}, {}, 0});
        });
    }

private:
    FetchCallbacks callbacks_;
    bool ended_ = false;
};

} // namespace

LazyNetworkService::LazyNetworkService(QString pluginFolder)
    : pluginFolder_(std::move(pluginFolder)) {}

// The service first: its replies belong to it, and the plugin's code must outlive them.
LazyNetworkService::~LazyNetworkService() {
    service_.reset();
}

std::unique_ptr<FetchJob> LazyNetworkService::fetch(const QUrl& url, const FetchLimits& limits,
                                                    FetchCallbacks callbacks) {
    if (!service_) {
        loader_ = std::make_unique<QPluginLoader>(pluginFolder_ + QLatin1Char('/') +
                                                  QLatin1String(BackendPlugins::NetworkPluginName));
        if (auto* backend = qobject_cast<NetworkBackend*>(loader_->instance()))
            service_ = backend->createNetworkService();
        else
            qWarning("No network: %s", qPrintable(loader_->errorString()));
    }
    if (!service_)
        return std::make_unique<RefusedFetch>(std::move(callbacks));
    return service_->fetch(url, limits, std::move(callbacks));
}
