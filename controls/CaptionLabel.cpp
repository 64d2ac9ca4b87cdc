#include "CaptionLabel.h"

#include <QPainter>
#include <QStyle>

namespace {

const QString Colon = QStringLiteral(":");

} // namespace

QString CaptionLabel::words(const QString& caption) {
    const int colon = caption.lastIndexOf(u':');
    return (colon < 0 ? caption : caption.left(colon)).trimmed();
}

QSize CaptionLabel::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const QMargins margins = contentsMargins();
    const int gap = metrics.horizontalAdvance(u' ');
    const int width = metrics.horizontalAdvance(words(text())) + gap +
                      metrics.horizontalAdvance(Colon) + margins.left() + margins.right();
    return {width, metrics.height() + margins.top() + margins.bottom()};
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QColor color =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole());
    painter.setPen(color);
    const int flags = int(Qt::AlignVCenter) | Qt::TextSingleLine;
    painter.drawText(area, flags | Qt::AlignLeft, words(text()));
    if (text().contains(u':'))
        painter.drawText(area, flags | Qt::AlignRight, Colon);
}
