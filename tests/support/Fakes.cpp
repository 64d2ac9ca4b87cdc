#include "Fakes.h"

#include "platform/FileDialogs.h"
#include "platform/QtPrintService.h"

#include <QImage>
#include <QPainter>

QString FakePrinter::printLines(const QStringList& lines, int size) {
    if (!failWith.isEmpty())
        return failWith;
    ++jobs;
    printedLines = lines;
    pointSize = size;
    return {};
}

QString FakePrinter::printPage(const PageDrawing& draw, const QString& title) {
    if (!failWith.isEmpty())
        return failWith;
    ++jobs;
    ++pages;
    jobTitle = title;
    QImage page(800, 600, QImage::Format_RGB32);
    QPainter painter(&page);
    draw(painter, page.rect());
    return {};
}

QByteArray FakePrinter::linesFile(const QStringList& lines, int size) {
    return QtPrintService().linesFile(lines, size);
}

QByteArray FakePrinter::pageFile(const PageDrawing& draw, const QString& title, PageFileType type) {
    return QtPrintService().pageFile(draw, title, type);
}

bool FakeDialogs::question(QWidget*, const QString& text) {
    questions << text;
    return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
}

QString FakeDialogs::saveFileName(QWidget*, const FileDialogOptions& options) {
    fileDialogs << options;
    if (fileAnswers.isEmpty())
        return {};
    return withDefaultExtension(fileAnswers.takeFirst(), options.defaultExtension);
}

QString FakeDialogs::openFileName(QWidget*, const FileDialogOptions& options) {
    fileDialogs << options;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}
