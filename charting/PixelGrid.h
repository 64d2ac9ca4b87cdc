#pragma once

#include <QColor>
#include <QPen>

#include <cmath>

// How the chart lands on the pixel grid: lines one pixel wide on pixel centres, the edges of
// filled areas on pixel boundaries, so that nothing it draws is blurred across two pixels.
namespace pixelgrid {

inline double line(double v) {
    return std::floor(v) + 0.5;
}

inline double edge(double v) {
    return std::round(v);
}

inline QPen pen(const QColor& colour, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(colour, 1, style);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    return p;
}

} // namespace pixelgrid
