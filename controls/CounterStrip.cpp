#include "controls/DigitArt.h"

QImage DigitArt::counterStrip(qreal ratio) {
    const QImage stored = storedCounterStrip(ratio);
    return stored.isNull() ? paintCounterStrip(ratio) : stored;
}
