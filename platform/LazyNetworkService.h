#pragma once

#include "NetworkService.h"

#include <QString>

#include <memory>

class QPluginLoader;

// The program's network: the real service lives in the network plugin, loaded at the first
// fetch, so a run that never looks for new draws never loads Qt Network.
class LazyNetworkService : public NetworkService {
public:
    explicit LazyNetworkService(QString pluginFolder);
    ~LazyNetworkService() override;

    std::unique_ptr<FetchJob> fetch(const QUrl& url, const FetchLimits& limits,
                                    FetchCallbacks callbacks) override;

private:
    QString pluginFolder_;
    std::unique_ptr<QPluginLoader> loader_;
    std::unique_ptr<NetworkService> service_;
};
