#include "QtPrintService.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace {

// A printer for the default device (or the PDF file), or the message to show.
std::unique_ptr<QPrinter> openPrinter(const QString& pdfFile, QString* error) {
    if (!pdfFile.isEmpty()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
        return printer;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        *error = PrintService::noDefaultPrinterMessage();
        return nullptr;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

} // namespace

QString QtPrintService::printLines(const QStringList& lines, int pointSize) {
    QString error;
    auto printer = openPrinter(pdfFile_, &error);
    if (!printer)
        return error;
    printer->setDocName(QStringLiteral("Ballmere Pro"));
    QPainter painter;
    if (!painter.begin(printer.get()))
        return QStringLiteral("Printing could not be started");
    QFont font = painter.font();
    font.setPointSize(pointSize);
    painter.setFont(font);
    const QFontMetrics metrics(font, printer.get());
    const QRect page = painter.viewport();
    int y = 0;
    for (const QString& line : lines) {
        if (y + metrics.height() > page.height() && y > 0) {
            printer->newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
    painter.end();
    return {};
}

QString QtPrintService::printPage(const std::function<void(QPainter&, const QRect&)>& draw,
                                  const QString& jobTitle) {
    QString error;
    auto printer = openPrinter(pdfFile_, &error);
    if (!printer)
        return error;
    printer->setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(printer.get()))
        return QStringLiteral("Printing could not be started");
    draw(painter, painter.viewport());
    painter.end();
    return {};
}
