#pragma once

// Where the value tags of a laid-out chart go, and how far the value axis must reach for them.

#include "ChartLayout.h"

#include <vector>

// Chooses the tags' face and puts each shown bar's tag over it (see ChartLayout::tags). With
// `keepInFrame` false, tags that would rise above the box's top edge are left there.
void placeTags(ChartLayout& layout, const std::vector<ChartTagFace>& faces, bool keepInFrame);

// The top of the value axis, at least `layout.view.yMax`, at which every tag of `layout` stays
// below the box's top edge. `layout` is the whole chart, its view starting at 0.
double axisTopForTags(const ChartLayout& layout, const std::vector<ChartTagFace>& faces,
                      const std::vector<double>& values);
