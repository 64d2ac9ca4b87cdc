#include "ChartTags.h"

#include <algorithm>
#include <cmath>

namespace {

struct TagChoice {
    int face = -1;
    bool upright = false;
    QSizeF size;
    int rows = 1;
};

// The largest face in which a tag fits over its own slot, level before upright; failing that the
// thinnest upright face, with neighbours taking turns to rise, while that needs few rows.
TagChoice chooseFace(const ChartLayout& layout, const std::vector<ChartTagFace>& faces) {
    const double room = layout.slotWidth - ChartLayout::TagGap;
    for (int f = 0; f < int(faces.size()); ++f) {
        const ChartTagFace& face = faces[size_t(f)];
        if (face.level.width() <= room)
            return {f, false, face.level, 1};
        if (face.upright.width() <= room)
            return {f, true, face.upright, 1};
    }
    if (faces.empty() || !(layout.slotWidth > 0))
        return {};
    const QSizeF size = faces.back().upright;
    const double rows = std::ceil((size.width() + ChartLayout::TagGap) / layout.slotWidth);
    if (!(rows <= ChartLayout::MaxTagRows))
        return {};
    return {int(faces.size()) - 1, true, size, int(rows)};
}

bool tooClose(const QRectF& a, const QRectF& b) {
    const double gap = ChartLayout::TagGap;
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() + gap &&
           b.top() < a.bottom() + gap;
}

} // namespace

void placeTags(ChartLayout& layout, const std::vector<ChartTagFace>& faces, bool keepInFrame) {
    const int count = int(layout.shapes.size());
    layout.tags.assign(size_t(count), QRectF());
    TagChoice choice = chooseFace(layout, faces);
    const QRectF& plot = layout.plot;
    if (choice.face >= 0 && choice.size.width() > plot.width() - 2)
        choice = {}; // a chart too small to hold even one tag
    layout.tagFace = choice.face;
    layout.tagsUpright = choice.upright;
    layout.tagRows = choice.rows;
    if (choice.face < 0)
        return;
    const double width = choice.size.width();
    const double height = choice.size.height();
    for (int i = 0; i < count; ++i) {
        const ChartBarShape& shape = layout.shapes[size_t(i)];
        if (!shape.shown || !shape.top)
            continue;
        const double left = std::clamp(std::round(shape.front.center().x() - width / 2),
                                       plot.left() + 1, plot.right() - 1 - width);
        QRectF tag(left, std::round(shape.front.top() - ChartLayout::TagLift) - height, width,
                   height);
        // Rising above a neighbour passes it for good, so this ends within `rows` passes.
        bool raised = true;
        for (int pass = 0; raised && pass < choice.rows; ++pass) {
            raised = false;
            for (int j = std::max(0, i - choice.rows + 1); j < i; ++j) {
                const QRectF& other = layout.tags[size_t(j)];
                if (!other.isEmpty() && tooClose(tag, other)) {
                    tag.moveBottom(other.top() - ChartLayout::TagGap);
                    raised = true;
                }
            }
        }
        if (keepInFrame)
            tag.moveTop(std::max(
                tag.top(), std::ceil(layout.frameTop(tag.left()) + ChartLayout::TagFrameGap)));
        layout.tags[size_t(i)] = tag;
    }
}

double axisTopForTags(const ChartLayout& layout, const std::vector<ChartTagFace>& faces,
                      const std::vector<double>& values) {
    ChartLayout free = layout;
    placeTags(free, faces, false);
    const double height = layout.plot.height();
    const double zero = layout.yToPixel(0);
    double top = layout.view.yMax;
    for (size_t i = 0; i < free.tags.size() && i < values.size(); ++i) {
        const QRectF& tag = free.tags[i];
        const double value = values[i];
        if (tag.isEmpty() || !(value > 0) || !std::isfinite(value))
            continue;
        const double rise = free.shapes[i].front.top() - tag.top();
        // Pixels the bar may take below its tag; a pixel more than the gap absorbs rounding.
        const double room =
            zero - layout.frameTop(tag.left()) - ChartLayout::TagFrameGap - 1 - rise;
        // Never more than half as high again: a chart too small for its tags keeps its bars.
        top = std::max(top, value * height / std::max(room, height * 2 / 3));
    }
    return top;
}
