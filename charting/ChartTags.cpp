#include "ChartTags.h"

#include <algorithm>
#include <cmath>

namespace {

struct TagChoice {
    int face = -1;
    bool upright = false;
    QSizeF size;
    int step = 1;
};

// 1, 2, 5, 10, 20, ...
int nextStep(int step) {
    return int(niceStep(step * 1.5, 1));
}

// Over every bar if a tag fits there, else over every second, fifth, ... bar: at the smallest
// step, the largest face with its text level, failing that turned upright.
TagChoice chooseFace(const ChartLayout& layout, const std::vector<ChartTagFace>& faces,
                     int barCount) {
    if (faces.empty() || !(layout.slotWidth > 0))
        return {};
    for (int step = 1; step <= std::max(1, barCount); step = nextStep(step)) {
        const double room = step * layout.slotWidth - ChartLayout::TagGap;
        for (int f = 0; f < int(faces.size()); ++f)
            if (faces[size_t(f)].level.width() <= room)
                return {f, false, faces[size_t(f)].level, step};
        for (int f = 0; f < int(faces.size()); ++f)
            if (faces[size_t(f)].upright.width() <= room)
                return {f, true, faces[size_t(f)].upright, step};
    }
    return {};
}

bool tooClose(const QRectF& a, const QRectF& b) {
    const double gap = ChartLayout::TagGap;
    return a.left() < b.right() && b.left() < a.right() && a.top() < b.bottom() + gap &&
           b.top() < a.bottom() + gap;
}

// Whether `tag` overlaps the front of a drawn bar other than `own`.
bool coversAnotherBar(const ChartLayout& layout, const QRectF& tag, int own) {
    for (int j = 0; j < int(layout.shapes.size()); ++j) {
        const ChartBarShape& other = layout.shapes[size_t(j)];
        if (j != own && other.shown && tooClose(tag, other.front))
            return true;
    }
    return false;
}

} // namespace

void placeTags(ChartLayout& layout, const std::vector<ChartTagFace>& faces, bool keepInFrame) {
    const int count = int(layout.shapes.size());
    layout.tags.assign(size_t(count), QRectF());
    TagChoice choice = chooseFace(layout, faces, count);
    const QRectF& plot = layout.plot;
    if (choice.face >= 0 && choice.size.width() > plot.width() - 2)
        choice = {}; // a chart too small to hold even one tag
    layout.tagFace = choice.face;
    layout.tagsUpright = choice.upright;
    layout.tagStep = choice.step;
    if (choice.face < 0)
        return;
    const double width = choice.size.width();
    const double height = choice.size.height();
    const double gap = ChartLayout::TagGap;
    QRectF previous;
    for (int i = choice.step - 1; i < count; i += choice.step) {
        const ChartBarShape& shape = layout.shapes[size_t(i)];
        if (!shape.shown || !shape.top)
            continue;
        const double left = std::clamp(std::round(shape.front.center().x() - width / 2),
                                       plot.left() + 1, plot.right() - 1 - width);
        QRectF tag(left, std::round(shape.front.top() - ChartLayout::TagLift) - height, width,
                   height);
        // Above every other bar whose front lies under it: those within its width.
        for (int j = 0; j < count; ++j) {
            const ChartBarShape& other = layout.shapes[size_t(j)];
            if (j != i && other.shown && other.front.left() < tag.right() &&
                tag.left() < other.front.right())
                tag.moveBottom(std::min(tag.bottom(), std::floor(other.front.top() - gap)));
        }
        if (keepInFrame) {
            tag.moveTop(std::max(
                tag.top(), std::ceil(layout.frameTop(tag.left()) + ChartLayout::TagFrameGap)));
            if (coversAnotherBar(layout, tag, i))
                continue;
        }
        // Only a tag pushed in from the plot's edge can meet its neighbour.
        if (!previous.isNull() && tooClose(tag, previous))
            continue;
        layout.tags[size_t(i)] = tag;
        previous = tag;
    }
}

double axisTopForTags(const ChartLayout& layout, const std::vector<ChartTagFace>& faces,
                      const std::vector<double>& values) {
    ChartLayout free = layout;
    placeTags(free, faces, false);
    const double height = layout.plot.height();
    const double zero = layout.yToPixel(0);
    const double highest = layout.view.yMax * ChartLayout::MaxTagGrowth;
    double top = layout.view.yMax;
    const auto value = [&values](int bar) {
        const double v = size_t(bar) < values.size() ? values[size_t(bar)] : 0;
        return std::isfinite(v) ? v : 0;
    };
    for (int i = 0; i < int(free.tags.size()); ++i) {
        const QRectF& tag = free.tags[size_t(i)];
        if (tag.isEmpty())
            continue;
        // Pixels above 0 the tag's top may reach; a pixel less absorbs rounding.
        const double room = zero - layout.frameTop(tag.left()) - ChartLayout::TagFrameGap - 1;
        // The tag stands on its own bar, or on any other bar within its width.
        for (int j = 0; j < int(free.shapes.size()); ++j) {
            const ChartBarShape& bar = free.shapes[size_t(j)];
            if (value(j) <= 0 || (j != i && !(bar.shown && bar.front.left() < tag.right() &&
                                              tag.left() < bar.front.right())))
                continue;
            const double above =
                tag.height() + (j == i ? ChartLayout::TagLift : ChartLayout::TagGap) + 1;
            top = room > above ? std::max(top, value(j) * height / (room - above)) : highest;
        }
    }
    // A chart too small for its tags keeps its bars: tags without room are left out.
    return std::min(top, highest);
}
