#include "CaptionLabel.h"

#include <QPainter>
#include <QStyle>

CaptionLabel::Parts CaptionLabel::parts(const QString& caption) {
    qsizetype start = 0;
    while (start < caption.size() && caption[start] == u' ')
        ++start;
    Parts parts{caption.left(start), caption.mid(start).trimmed(), {}};
    // The mark follows the last run of two or more blanks; a colon is one even without them.
    const qsizetype run = parts.words.lastIndexOf(QLatin1String("  "));
    if (const QString last = parts.words.mid(run + 2).trimmed(); run > 0 && !last.contains(u' ')) {
        parts.mark = last;
        parts.words = parts.words.left(run).trimmed();
    } else if (parts.words.endsWith(u':')) {
        parts.mark = QStringLiteral(":");
        parts.words = parts.words.chopped(1).trimmed();
    }
    return parts;
}

QSize CaptionLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = contentsMargins();
    const Parts shown = parts(text());
    const int gap = shown.mark.isEmpty() ? 0 : metrics.horizontalAdvance(u' ');
    const int width = metrics.horizontalAdvance(shown.indent + shown.words) + gap +
                      metrics.horizontalAdvance(shown.mark) + margins.left() + margins.right();
    return {width, metrics.height() + margins.top() + margins.bottom()};
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QColor color =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole());
    painter.setPen(color);
    const int flags = int(Qt::AlignVCenter) | Qt::TextSingleLine;
    const Parts shown = parts(text());
    const int indent = fontMetrics().horizontalAdvance(shown.indent);
    painter.drawText(area.adjusted(indent, 0, 0, 0), flags | Qt::AlignLeft, shown.words);
    painter.drawText(area, flags | Qt::AlignRight, shown.mark);
}
