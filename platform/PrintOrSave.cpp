#include "PrintOrSave.h"

#include "Clock.h"
#include "DialogService.h"
#include "Platform.h"
#include "SafeFile.h"

#include <QFileInfo>

namespace {

enum class FileTypes { PdfOnly, PdfAndPictures };

FileDialogOptions pageFileOptions(FileTypes types) {
    FileDialogOptions options;
    options.title = QStringLiteral("Save Page As");
    options.filter = types == FileTypes::PdfOnly
                         ? QStringLiteral("PDF document (*.pdf)")
                         : QStringLiteral("PDF document (*.pdf);;PNG image (*.png);;"
                                          "SVG image (*.svg)");
    options.defaultExtension = QStringLiteral("pdf");
    options.initialName = QStringLiteral("Ballmere");
    options.confirmOverwrite = true;
    return options;
}

// After a print that failed: for want of a printer, the offer of a file; for anything else, its
// message. The name to save under, or "" when nothing is to be saved.
QString fileInsteadOfPrint(QWidget* parent, DialogService& dialogs, const QString& error,
                           FileTypes types) {
    if (error != PrintService::noDefaultPrinterMessage()) {
        dialogs.error(parent, error);
        return {};
    }
    if (!dialogs.question(parent, saveInsteadQuestion()))
        return {};
    return dialogs.saveFileName(parent, pageFileOptions(types));
}

void writePageFile(QWidget* parent, DialogService& dialogs, const QString& path,
                   const QByteArray& bytes) {
    const WriteFileResult result =
        bytes.isEmpty() ? WriteFileResult::WriteFailed : writeWholeFile(path, bytes);
    const QString message = writeFileMessage(result, path);
    if (!message.isEmpty())
        dialogs.error(parent, message);
}

} // namespace

void printTextOrSave(QWidget* parent, const Platform& platform, TextPage page) {
    if (page.date.isEmpty())
        page.date = platform.clock.todayShortDate();
    const QString error = platform.printer.printText(page);
    if (error.isEmpty())
        return;
    const QString path = fileInsteadOfPrint(parent, platform.dialogs, error, FileTypes::PdfOnly);
    if (!path.isEmpty())
        writePageFile(parent, platform.dialogs, path, platform.printer.textFile(page));
}

void printChartOrSave(QWidget* parent, const Platform& platform, ChartPage page) {
    if (page.date.isEmpty())
        page.date = platform.clock.todayShortDate();
    const QString error = platform.printer.printChart(page);
    if (error.isEmpty())
        return;
    const QString path =
        fileInsteadOfPrint(parent, platform.dialogs, error, FileTypes::PdfAndPictures);
    if (!path.isEmpty())
        writePageFile(parent, platform.dialogs, path,
                      platform.printer.chartFile(page, pageFileTypeOf(path)));
}

QString saveInsteadQuestion() {
    return PrintService::noDefaultPrinterMessage() +
           QStringLiteral(".\nSave the page as a PDF file instead?");
}

PageFileType pageFileTypeOf(const QString& path) {
    const QString extension = QFileInfo(path).suffix();
    if (extension.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return PageFileType::Png;
    if (extension.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return PageFileType::Svg;
    return PageFileType::Pdf;
}
