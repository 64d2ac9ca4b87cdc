#include "controls/DigitArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace DigitArt {
namespace {

// Digit outlines as centre lines in a unit box (x right, y down), stroked with a round pen.
QPainterPath digitPath(int digit) {
    QPainterPath p;
    switch (digit) {
    case 0:
        p.addRoundedRect(QRectF(0.0, 0.0, 1.0, 1.0), 0.5, 0.32);
        break;
    case 1:
        p.moveTo(0.18, 0.22);
        p.lineTo(0.58, 0.0);
        p.lineTo(0.58, 1.0);
        break;
    case 2:
        p.moveTo(0.0, 0.24);
        p.cubicTo(0.04, -0.06, 0.96, -0.08, 0.98, 0.26);
        p.cubicTo(1.0, 0.5, 0.2, 0.7, 0.0, 1.0);
        p.lineTo(1.0, 1.0);
        break;
    case 3:
        p.moveTo(0.02, 0.16);
        p.cubicTo(0.22, -0.06, 0.94, -0.06, 0.94, 0.24);
        p.cubicTo(0.94, 0.42, 0.72, 0.47, 0.4, 0.47);
        p.cubicTo(0.78, 0.47, 1.0, 0.56, 1.0, 0.74);
        p.cubicTo(1.0, 1.06, 0.2, 1.06, 0.0, 0.84);
        break;
    case 4:
        p.moveTo(0.74, 1.0);
        p.lineTo(0.74, 0.0);
        p.lineTo(0.0, 0.7);
        p.lineTo(1.0, 0.7);
        break;
    case 5:
        p.moveTo(0.94, 0.0);
        p.lineTo(0.12, 0.0);
        p.lineTo(0.06, 0.44);
        p.cubicTo(0.44, 0.3, 1.0, 0.36, 1.0, 0.68);
        p.cubicTo(1.0, 1.06, 0.2, 1.06, 0.0, 0.84);
        break;
    case 6:
        p.moveTo(0.9, 0.08);
        p.cubicTo(0.5, -0.12, 0.0, 0.1, 0.0, 0.66);
        p.addEllipse(QRectF(0.0, 0.38, 1.0, 0.62));
        break;
    case 7:
        p.moveTo(0.0, 0.0);
        p.lineTo(1.0, 0.0);
        p.cubicTo(0.6, 0.36, 0.42, 0.64, 0.38, 1.0);
        break;
    case 8:
        p.addEllipse(QRectF(0.07, 0.0, 0.86, 0.46));
        p.addEllipse(QRectF(0.0, 0.46, 1.0, 0.54));
        break;
    case 9:
        p.addEllipse(QRectF(0.0, 0.0, 1.0, 0.62));
        p.moveTo(1.0, 0.34);
        p.cubicTo(1.0, 0.9, 0.5, 1.12, 0.1, 0.92);
        break;
    default:
        break;
    }
    return p;
}

// One drum: dark, lit across its middle, darker toward the rims, with a thin dark rim line
// at top and bottom and a hairline gap at each side.
void paintFace(QPainter& painter, const QRect& cell) {
    QLinearGradient drum(cell.topLeft(), cell.bottomLeft() + QPoint(0, 1));
    drum.setColorAt(0.0, QColor(18, 18, 22));
    drum.setColorAt(0.18, QColor(44, 44, 50));
    drum.setColorAt(0.5, QColor(62, 62, 70));
    drum.setColorAt(0.82, QColor(44, 44, 50));
    drum.setColorAt(1.0, QColor(18, 18, 22));
    painter.fillRect(cell, drum);
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), QColor(8, 8, 10));
    painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), QColor(8, 8, 10));
    painter.fillRect(QRect(cell.left(), cell.top() + 1, 1, cell.height() - 2),
                     QColor(12, 12, 14, 150));
    painter.fillRect(QRect(cell.right(), cell.top() + 1, 1, cell.height() - 2),
                     QColor(12, 12, 14, 150));
}

QPen inkPen(const QRect& cell) {
    // Ink slightly dimmer toward the rims, as on a curved drum.
    QLinearGradient ink(cell.topLeft(), cell.bottomLeft());
    ink.setColorAt(0.0, QColor(196, 194, 184));
    ink.setColorAt(0.5, QColor(250, 248, 238));
    ink.setColorAt(1.0, QColor(196, 194, 184));
    QPen pen(QBrush(ink), 1.8);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void strokeInBox(QPainter& painter, const QPainterPath& path, const QRectF& box, const QPen& pen) {
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width(), box.height());
    painter.strokePath(toBox.map(path), pen);
}

QImage blankStrip(int width, int height, qreal ratio) {
    const qreal scale = qMax<qreal>(1.0, ratio);
    QImage image(qCeil(width * scale), qCeil(height * scale), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale); // painting below is in layout pixels
    image.fill(Qt::transparent);
    return image;
}

QRectF glyphBox(const QRect& cell) {
    return QRectF(cell.left() + 3.5, cell.top() + 3.5, 7.0, 13.0);
}

} // namespace

QImage paintCounterStrip(qreal ratio) {
    QImage strip = blankStrip(11 * kCellWidth, kCellHeight, ratio);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int glyph = 0; glyph <= 10; ++glyph) {
        const QRect cell(glyph * kCellWidth, 0, kCellWidth, kCellHeight);
        paintFace(painter, cell);
        if (glyph < 10)
            strokeInBox(painter, digitPath(glyph), glyphBox(cell), inkPen(cell));
    }
    return strip;
}

QImage signStrip(qreal ratio) {
    QImage strip = blankStrip(2 * kCellWidth, kCellHeight, ratio);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int sign = 0; sign < 2; ++sign) {
        const QRect cell(sign * kCellWidth, 0, kCellWidth, kCellHeight);
        paintFace(painter, cell);
        QPainterPath path;
        path.moveTo(0.0, 0.5);
        path.lineTo(1.0, 0.5);
        if (sign == 0) {
            path.moveTo(0.5, 0.0);
            path.lineTo(0.5, 1.0);
        }
        strokeInBox(painter, path, QRectF(cell.left() + 3.5, cell.top() + 6.5, 7.0, 7.0),
                    inkPen(cell));
    }
    return strip;
}

QImage separatorImage(qreal ratio) {
    QImage image = blankStrip(5, kCellHeight, ratio);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintFace(painter, QRect(0, 0, 5, kCellHeight));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(232, 230, 220));
    painter.drawEllipse(QPointF(2.5, 15.6), 1.1, 1.1);
    return image;
}

} // namespace DigitArt
