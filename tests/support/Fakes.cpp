#include "Fakes.h"

#include "platform/FileDialogs.h"

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

QString FakePrinter::printPage(const std::function<void(QPainter&, const QRect&)>& draw,
                               const QString& title) {
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
