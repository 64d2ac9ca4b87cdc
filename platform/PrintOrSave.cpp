#include "PrintOrSave.h"

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

// After a print that failed: its message, then, when it failed for want of a printer, the
// offer of a file. The name to save under, or "" when nothing is to be saved.
QString fileInsteadOfPrint(QWidget* parent, DialogService& dialogs, const QString& error,
                           FileTypes types) {
    dialogs.error(parent, error);
    if (error != PrintService::noDefaultPrinterMessage() ||
        !dialogs.question(parent, QStringLiteral("Save the page as a file instead?")))
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

void printLinesOrSave(QWidget* parent, const Platform& platform, const QStringList& lines,
                      int pointSize) {
    const QString error = platform.printer.printLines(lines, pointSize);
    if (error.isEmpty())
        return;
    const QString path = fileInsteadOfPrint(parent, platform.dialogs, error, FileTypes::PdfOnly);
    if (!path.isEmpty())
        writePageFile(parent, platform.dialogs, path, platform.printer.linesFile(lines, pointSize));
}

void printPageOrSave(QWidget* parent, const Platform& platform, const PageDrawing& draw,
                     const QString& jobTitle) {
    const QString error = platform.printer.printPage(draw, jobTitle);
    if (error.isEmpty())
        return;
    const QString path =
        fileInsteadOfPrint(parent, platform.dialogs, error, FileTypes::PdfAndPictures);
    if (!path.isEmpty())
        writePageFile(parent, platform.dialogs, path,
                      platform.printer.pageFile(draw, jobTitle, pageFileTypeOf(path)));
}

PageFileType pageFileTypeOf(const QString& path) {
    const QString extension = QFileInfo(path).suffix();
    if (extension.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return PageFileType::Png;
    if (extension.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return PageFileType::Svg;
    return PageFileType::Pdf;
}
