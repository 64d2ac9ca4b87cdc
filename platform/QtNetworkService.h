#pragma once

#include "NetworkService.h"

#include <memory>

class QNetworkAccessManager;

// Fetches through Qt Network. Certificates are checked as the system checks them; a TLS error
// always fails the fetch.
class QtNetworkService : public NetworkService {
public:
    QtNetworkService();
    ~QtNetworkService() override;

    std::unique_ptr<FetchJob> fetch(const QUrl& url, const FetchLimits& limits,
                                    FetchCallbacks callbacks) override;

private:
    std::unique_ptr<QNetworkAccessManager> manager_;
};
