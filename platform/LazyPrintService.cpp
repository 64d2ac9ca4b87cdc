#include "LazyPrintService.h"

#include "BackendPlugins.h"

#include <QPluginLoader>

LazyPrintService::LazyPrintService(QString pluginFolder) : pluginFolder_(std::move(pluginFolder)) {}

LazyPrintService::~LazyPrintService() = default;

PrintService* LazyPrintService::service(QString* error) {
    if (!service_) {
        loader_ = std::make_unique<QPluginLoader>(pluginFolder_ + QLatin1Char('/') +
                                                  QLatin1String(BackendPlugins::PrintPluginName));
        if (auto* backend = qobject_cast<PrintBackend*>(loader_->instance()))
            service_ = backend->createPrintService();
        else
            qWarning("No printing: %s", qPrintable(loader_->errorString()));
    }
    if (!service_)
        *error = QStringLiteral("Printing could not be started");
    return service_.get();
}

QString LazyPrintService::printText(const TextPage& page) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->printText(page) : error;
}

QString LazyPrintService::printChart(const ChartPage& page) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->printChart(page) : error;
}

QByteArray LazyPrintService::textFile(const TextPage& page) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->textFile(page) : QByteArray();
}

QByteArray LazyPrintService::chartFile(const ChartPage& page, PageFileType type) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->chartFile(page, type) : QByteArray();
}
