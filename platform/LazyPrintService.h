#pragma once

#include "PrintService.h"

#include <QString>

#include <memory>

class QPluginLoader;

// The program's printing: the real service lives in the print plugin, loaded when something
// is first printed, so Qt Print Support and the print system's libraries cost nothing at start.
class LazyPrintService : public PrintService {
public:
    explicit LazyPrintService(QString pluginFolder);
    ~LazyPrintService() override;

    QString printText(const TextPage& page) override;
    QString printChart(const ChartPage& page) override;
    QByteArray textFile(const TextPage& page) override;
    QByteArray chartFile(const ChartPage& page, PageFileType type) override;

private:
    PrintService* service(QString* error);

    QString pluginFolder_;
    std::unique_ptr<QPluginLoader> loader_;
    std::unique_ptr<PrintService> service_;
};
