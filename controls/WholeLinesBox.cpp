#include "WholeLinesBox.h"

#include <QFontMetricsF>
#include <QTextDocument>

#include <cmath>

void WholeLinesBox::showWholeLines(int lines) {
    // The padding moves from the document, where a further line shows through it, to around
    // the viewport, which clips at the last whole line; the box paints it in the text's colour.
    const int padding = int(std::ceil(document()->documentMargin()));
    document()->setDocumentMargin(0);
    setViewportMargins(padding, padding, padding, padding);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    // A plain text box lays its lines out with their leading.
    const QFontMetricsF metrics(font());
    const double lineHeight = metrics.height() + qMax(0.0, metrics.leading());
    const int text = int(std::ceil(lines * lineHeight));
    resize(width(), text + 2 * padding + 2 * frameWidth());
}
