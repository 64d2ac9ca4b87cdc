#pragma once

#include "PrintService.h"

// Prints on the system's default printer, or into a PDF file when one is given (tests and
// "print to file" set-ups). Pages saved as files are drawn by the same code as printed ones.
class QtPrintService : public PrintService {
public:
    explicit QtPrintService(QString pdfFile = {}) : pdfFile_(std::move(pdfFile)) {}

    QString printLines(const QStringList& lines, int pointSize) override;
    QString printPage(const PageDrawing& draw, const QString& jobTitle) override;
    QByteArray linesFile(const QStringList& lines, int pointSize) override;
    QByteArray pageFile(const PageDrawing& draw, const QString& title, PageFileType type) override;

private:
    QString pdfFile_;
};
