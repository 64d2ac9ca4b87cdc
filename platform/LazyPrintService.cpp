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

QString LazyPrintService::printLines(const QStringList& lines, int pointSize) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->printLines(lines, pointSize) : error;
}

QString LazyPrintService::printPage(const PageDrawing& draw, const QString& jobTitle) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->printPage(draw, jobTitle) : error;
}

QByteArray LazyPrintService::linesFile(const QStringList& lines, int pointSize) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->linesFile(lines, pointSize) : QByteArray();
}

QByteArray LazyPrintService::pageFile(const PageDrawing& draw, const QString& title,
                                      PageFileType type) {
    QString error;
    PrintService* printer = service(&error);
    return printer ? printer->pageFile(draw, title, type) : QByteArray();
}
