#include "QtPrintService.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSvgGenerator>
#include <memory>

namespace {

constexpr int PngDotsPerInch = 150;
constexpr int SvgDotsPerInch = 96;
constexpr double InchesPerMetre = 39.37;

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

// The paper the user would have printed on, with the margins Qt gives a printed PDF.
QPageLayout filePageLayout() {
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(10, 10, 10, 10), QPageLayout::Point);
}

// From the left margin down, continuing on a new page when one is full.
void drawLines(QPainter& painter, QPagedPaintDevice& device, const QStringList& lines,
               int pointSize) {
    QFont font = painter.font();
    font.setPointSize(pointSize);
    painter.setFont(font);
    const QFontMetrics metrics(font, &device);
    const QRect page = painter.viewport();
    int y = 0;
    for (const QString& line : lines) {
        if (y + metrics.height() > page.height() && y > 0) {
            device.newPage();
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), line);
        y += metrics.lineSpacing();
    }
}

// A PDF document in memory, handed to `draw` with a painter on its first page.
QByteArray pdfDocument(const QString& title,
                       const std::function<void(QPainter&, QPdfWriter&)>& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(filePageLayout());
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Ballmere Pro"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        draw(painter, writer);
        painter.end();
    }
    return buffer.data();
}

QByteArray pngPage(const PageDrawing& draw) {
    const QPageLayout layout = filePageLayout();
    QImage image(layout.fullRectPixels(PngDotsPerInch).size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(PngDotsPerInch * InchesPerMetre);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        draw(painter, layout.paintRectPixels(PngDotsPerInch));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? buffer.data() : QByteArray();
}

QByteArray svgPage(const PageDrawing& draw, const QString& title) {
    const QPageLayout layout = filePageLayout();
    const QRect page = layout.fullRectPixels(SvgDotsPerInch);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(SvgDotsPerInch);
    svg.setSize(page.size());
    svg.setViewBox(page);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    painter.fillRect(page, Qt::white);
    draw(painter, layout.paintRectPixels(SvgDotsPerInch));
    painter.end();
    return buffer.data();
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
    drawLines(painter, *printer, lines, pointSize);
    painter.end();
    return {};
}

QString QtPrintService::printPage(const PageDrawing& draw, const QString& jobTitle) {
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

QByteArray QtPrintService::linesFile(const QStringList& lines, int pointSize) {
    return pdfDocument(QStringLiteral("Ballmere Pro"), [&](QPainter& painter, QPdfWriter& writer) {
        drawLines(painter, writer, lines, pointSize);
    });
}

QByteArray QtPrintService::pageFile(const PageDrawing& draw, const QString& title,
                                    PageFileType type) {
    switch (type) {
    case PageFileType::Png:
        return pngPage(draw);
    case PageFileType::Svg:
        return svgPage(draw, title);
    case PageFileType::Pdf:
        break;
    }
    return pdfDocument(title,
                       [&](QPainter& painter, QPdfWriter&) { draw(painter, painter.viewport()); });
}
