#include "Fakes.h"

#include "platform/FileDialogs.h"
#include "platform/QtPrintService.h"

QString FakePrinter::printText(const TextPage& page) {
    if (!failWith.isEmpty())
        return failWith;
    ++jobs;
    text = page;
    printedLines = page.intro + page.lines;
    jobTitle = page.title;
    return {};
}

QString FakePrinter::printChart(const ChartPage& page) {
    if (!failWith.isEmpty())
        return failWith;
    ++jobs;
    ++pages;
    chart = page;
    jobTitle = page.title;
    QtPrintService().chartFile(page, PageFileType::Pdf);
    return {};
}

QByteArray FakePrinter::textFile(const TextPage& page) {
    return QtPrintService().textFile(page);
}

QByteArray FakePrinter::chartFile(const ChartPage& page, PageFileType type) {
    return QtPrintService().chartFile(page, type);
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
