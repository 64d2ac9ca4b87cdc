#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QPainter;
class QRect;

// Printing on the default printer. Each call returns an empty string on success, or the
// message to show the user.
class PrintService {
public:
    virtual ~PrintService() = default;
    // Lines of text at the given point size, page after page.
    virtual QString printLines(const QStringList& lines, int pointSize) = 0;
    // One page drawn by the caller into the printable page rectangle, as a job named jobTitle.
    virtual QString printPage(const std::function<void(QPainter&, const QRect&)>& draw,
                              const QString& jobTitle) = 0;

    static QString noDefaultPrinterMessage() {
        return QStringLiteral("There is no default printer currently selected");
    }
};
