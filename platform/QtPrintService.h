#pragma once

#include "PrintService.h"

// Prints on the system's default printer, or into a PDF file when one is given (tests and
// "print to file" set-ups).
class QtPrintService : public PrintService {
public:
    explicit QtPrintService(QString pdfFile = {}) : pdfFile_(std::move(pdfFile)) {}

    QString printLines(const QStringList& lines, int pointSize) override;
    QString printPage(const std::function<void(QPainter&, const QRect&)>& draw,
                      const QString& jobTitle) override;

private:
    QString pdfFile_;
};
