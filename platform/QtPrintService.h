#pragma once

#include "PrintService.h"

// Prints on the system's default printer, or into a PDF file when one is given (tests and
// "print to file" set-ups). Pages saved as files are painted by the same code as printed ones.
class QtPrintService : public PrintService {
public:
    explicit QtPrintService(QString pdfFile = {}) : pdfFile_(std::move(pdfFile)) {}

    QString printText(const TextPage& page) override;
    QString printChart(const ChartPage& page) override;
    QByteArray textFile(const TextPage& page) override;
    QByteArray chartFile(const ChartPage& page, PageFileType type) override;

private:
    QString pdfFile_;
};
