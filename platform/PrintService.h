#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QRect;

// Draws one page into the page rectangle it is given.
using PageDrawing = std::function<void(QPainter&, const QRect&)>;

// What a page saved as a file is written as.
enum class PageFileType { Pdf, Png, Svg };

// Printing on the default printer. Each print call returns an empty string on success, or the
// message to show the user.
class PrintService {
public:
    virtual ~PrintService() = default;
    // Lines of text at the given point size, page after page.
    virtual QString printLines(const QStringList& lines, int pointSize) = 0;
    // One page drawn by the caller into the printable page rectangle, as a job named jobTitle.
    virtual QString printPage(const PageDrawing& draw, const QString& jobTitle) = 0;

    // The same output as the bytes of a file, laid out as the printed page, for when there is
    // no printer: the lines as a PDF document; the page as PDF, PNG or SVG. Empty when the
    // file could not be made.
    virtual QByteArray linesFile(const QStringList& lines, int pointSize) = 0;
    virtual QByteArray pageFile(const PageDrawing& draw, const QString& title,
                                PageFileType type) = 0;

    static QString noDefaultPrinterMessage() {
        return QStringLiteral("There is no default printer currently selected");
    }
};
