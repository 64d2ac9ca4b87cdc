#include "MessageIcons.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

enum class Kind { Warning, Error, Information, Question };

// Drawn on a 48 × 48 grid scaled to the target.
constexpr double Grid = 48;

struct Colours {
    QColor top, bottom, outline, mark;
};

Colours coloursOf(Kind kind) {
    switch (kind) {
    case Kind::Warning:
        return {QColor(255, 214, 80), QColor(240, 165, 0), QColor(178, 118, 0), QColor(40, 30, 0)};
    case Kind::Error:
        return {QColor(240, 86, 76), QColor(198, 40, 40), QColor(150, 24, 24), Qt::white};
    case Kind::Information:
    case Kind::Question:
        break;
    }
    return {QColor(84, 150, 230), QColor(30, 99, 184), QColor(22, 74, 140), Qt::white};
}

QPainterPath shapeOf(Kind kind) {
    QPainterPath shape;
    if (kind == Kind::Warning) {
        shape.moveTo(24, 5);
        shape.lineTo(45, 42);
        shape.lineTo(3, 42);
        shape.closeSubpath();
    } else {
        shape.addEllipse(QPointF(24, 24), 21, 21);
    }
    return shape;
}

void drawMark(QPainter& painter, Kind kind, const QColor& colour) {
    QPen pen(colour, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setBrush(colour);
    switch (kind) {
    case Kind::Warning:
        painter.setPen(pen);
        painter.drawLine(QPointF(24, 18), QPointF(24, 29));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(24, 36), 2.9, 2.9);
        break;
    case Kind::Error:
        pen.setWidthF(5.5);
        painter.setPen(pen);
        painter.drawLine(QPointF(16, 16), QPointF(32, 32));
        painter.drawLine(QPointF(32, 16), QPointF(16, 32));
        break;
    case Kind::Information:
        pen.setWidthF(5.5);
        painter.setPen(pen);
        painter.drawLine(QPointF(24, 22), QPointF(24, 35));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(24, 14), 3.3, 3.3);
        break;
    case Kind::Question: {
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRectF hook(17, 11, 14, 13);
        QPainterPath mark;
        mark.arcMoveTo(hook, 165);
        mark.arcTo(hook, 165, -255);
        mark.lineTo(24, 29);
        painter.drawPath(mark);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(24, 36), 3, 3);
        break;
    }
    }
}

void drawIcon(QPainter& painter, const QRectF& target, Kind kind) {
    const Colours colours = coloursOf(kind);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / Grid, target.height() / Grid);
    QLinearGradient fill(0, 4, 0, 44);
    fill.setColorAt(0, colours.top);
    fill.setColorAt(1, colours.bottom);
    painter.setBrush(fill);
    painter.setPen(QPen(colours.outline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(shapeOf(kind));
    drawMark(painter, kind, colours.mark);
    painter.restore();
}

class MessageIconEngine : public QIconEngine {
public:
    explicit MessageIconEngine(Kind kind) : kind_(kind) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        const int side = qMin(rect.width(), rect.height());
        QRectF square(0, 0, side, side);
        square.moveCenter(QRectF(rect).center());
        drawIcon(*painter, square, kind_);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }
    // `size` is already in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override {
        return pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new MessageIconEngine(kind_); }
    QString key() const override { return QStringLiteral("BallmereMessageIcon"); }

private:
    Kind kind_;
};

} // namespace

QIcon messageBoxIcon(QStyle::StandardPixmap which) {
    switch (which) {
    case QStyle::SP_MessageBoxWarning:
        return QIcon(new MessageIconEngine(Kind::Warning));
    case QStyle::SP_MessageBoxCritical:
        return QIcon(new MessageIconEngine(Kind::Error));
    case QStyle::SP_MessageBoxInformation:
        return QIcon(new MessageIconEngine(Kind::Information));
    case QStyle::SP_MessageBoxQuestion:
        return QIcon(new MessageIconEngine(Kind::Question));
    default:
        return {};
    }
}
