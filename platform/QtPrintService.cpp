#include "QtPrintService.h"

#include "PagePainter.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace {

const QString NotStarted = QStringLiteral("Printing could not be started");

// A printer for the default device (or the PDF file) with the layout's margins, or the
// message to show.
std::unique_ptr<QPrinter> openPrinter(const QString& pdfFile, QPageLayout::Orientation orientation,
                                      const QString& title, QString* error) {
    std::unique_ptr<QPrinter> printer;
    if (!pdfFile.isEmpty()) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
        printer->setPageLayout(PagePainter::filePageLayout(orientation));
    } else {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            *error = PrintService::noDefaultPrinterMessage();
            return nullptr;
        }
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setPageOrientation(orientation);
        const double margin = PageLayout::MarginMm;
        printer->setPageMargins(QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
    }
    printer->setDocName(title);
    printer->setCreator(PageLayout::programName());
    return printer;
}

// A PDF document in memory, painted by `paint`; empty when that failed.
QByteArray pdfDocument(const QString& title, QPageLayout::Orientation orientation,
                       const std::function<bool(QPagedPaintDevice&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(PagePainter::filePageLayout(orientation));
        writer.setTitle(title);
        writer.setCreator(PageLayout::programName());
        if (!paint(writer))
            return {};
    }
    return buffer.data();
}

QString titleOf(const TextPage& page) {
    return page.title.isEmpty() ? PageLayout::programName() : page.title;
}

} // namespace

QString QtPrintService::printText(const TextPage& page) {
    QString error;
    auto printer = openPrinter(pdfFile_, QPageLayout::Portrait, titleOf(page), &error);
    if (!printer)
        return error;
    return PagePainter::paintText(*printer, page) ? QString() : NotStarted;
}

QString QtPrintService::printChart(const ChartPage& page) {
    QString error;
    auto printer = openPrinter(pdfFile_, QPageLayout::Landscape, page.title, &error);
    if (!printer)
        return error;
    return PagePainter::paintChart(*printer, page) ? QString() : NotStarted;
}

QByteArray QtPrintService::textFile(const TextPage& page) {
    return pdfDocument(titleOf(page), QPageLayout::Portrait, [&](QPagedPaintDevice& device) {
        return PagePainter::paintText(device, page);
    });
}

QByteArray QtPrintService::chartFile(const ChartPage& page, PageFileType type) {
    switch (type) {
    case PageFileType::Png:
        return PagePainter::chartPng(page);
    case PageFileType::Svg:
        return PagePainter::chartSvg(page);
    case PageFileType::Pdf:
        break;
    }
    return pdfDocument(page.title, QPageLayout::Landscape, [&](QPagedPaintDevice& device) {
        return PagePainter::paintChart(device, page);
    });
}
