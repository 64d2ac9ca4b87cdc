#pragma once

// The counters' artwork, drawn in code: light digits on dark odometer drums.

#include <QImage>

namespace DigitArt {

constexpr int kCellWidth = 14;
constexpr int kCellHeight = 20;

// Sizes are in layout pixels; `ratio` is the screen's device pixel ratio, so that the artwork
// holds as many pixels as the screen shows (its devicePixelRatio is set to match).

// Eleven drum cells of 14 x 20 side by side (154 x 20): 0..9, then an empty drum. For the
// common ratios 1 and 2 it was drawn when the program was built (storedCounterStrip), so that
// start-up need not draw it; other ratios draw it (paintCounterStrip).
QImage counterStrip(qreal ratio = 1.0);
QImage paintCounterStrip(qreal ratio);
// The strip drawn at build time for `ratio`, or a null image when there is none.
QImage storedCounterStrip(qreal ratio);

// Two drum cells of 14 x 20 (28 x 20): plus, minus.
QImage signStrip(qreal ratio = 1.0);

// A narrow 5 x 20 piece of drum housing with a point, for between groups of three digits.
QImage separatorImage(qreal ratio = 1.0);

} // namespace DigitArt
