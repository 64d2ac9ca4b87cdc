#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

#include "PageLayout.h"

// What a chart saved as a file is written as: a PDF page, or the chart alone as a picture.
enum class PageFileType { Pdf, Png, Svg };

// Printing on the default printer, through the one page layout. Each print call returns an empty
// string on success, or the message to show the user.
class PrintService {
public:
    virtual ~PrintService() = default;
    virtual QString printText(const TextPage& page) = 0;
    // On a landscape page.
    virtual QString printChart(const ChartPage& page) = 0;

    // The same pages as the bytes of a file, for when there is no printer: the list as a PDF
    // document; the chart as a PDF page, or alone at its on-screen shape as a PNG (twice the
    // screen's pixels) or an SVG picture. Empty when the file could not be made.
    virtual QByteArray textFile(const TextPage& page) = 0;
    virtual QByteArray chartFile(const ChartPage& page, PageFileType type) = 0;

    static QString noDefaultPrinterMessage() {
        return QStringLiteral("There is no default printer currently selected");
    }
};
