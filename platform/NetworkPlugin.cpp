// The plugin that carries the Qt Network fetching.
#include "BackendPlugins.h"
#include "QtNetworkService.h"

#include <QObject>

class NetworkPlugin : public QObject, public NetworkBackend {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID BallmereNetworkBackend_iid)
    Q_INTERFACES(NetworkBackend)

public:
    std::unique_ptr<NetworkService> createNetworkService() override {
        return std::make_unique<QtNetworkService>();
    }
};

#include "NetworkPlugin.moc"
