#include "controls/Digits.h"

#include <QPainter>

#include <algorithm>
#include <climits>

namespace {

constexpr int kMaxDigits = 10;
constexpr int kBlank = 10;
// Up to 10^11: a carry test looks one position past the leftmost digit.
constexpr std::array<qint64, 12> kPow10 = {
    1LL,       10LL,       100LL,       1000LL,       10000LL,       100000LL,
    1000000LL, 10000000LL, 100000000LL, 1000000000LL, 10000000000LL, 100000000000LL};

qint64 magnitude(qint64 value) {
    return value < 0 ? -value : value;
}

QImage toStripFormat(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

int digitGlyph(qint64 value, int position, bool showLeadingZeros) {
    const int i = std::clamp(position, 1, int(kPow10.size()));
    const qint64 q = magnitude(value) / kPow10[i - 1];
    if (q == 0 && i >= 2 && !showLeadingZeros)
        return kBlank;
    return int(q % 10);
}

QSize digitsNaturalSize(const TDigitsFrameState& state) {
    const int count = std::clamp(state.digitCount, 1, kMaxDigits);
    int width = state.cell.width() * count + state.signWidth;
    if (state.separator.width() > 0)
        width += state.separator.width() * ((count - 1) / 3);
    return QSize(width, state.cell.height());
}

TDigitsFrame planDigitsFrame(const TDigitsFrameState& state) {
    using Source = TDigitsBlit::Source;
    TDigitsFrame frame;
    const int w = state.cell.width();
    const int h = state.cell.height();
    if (w <= 0 || h <= 0)
        return frame;

    const int count = std::clamp(state.digitCount, 1, kMaxDigits);
    const qint64 n = std::max(state.steps, 1);
    const qint64 c = state.stepCounter;
    // Rows above the split show the old glyph leaving upward (upward roll) or the new glyph
    // arriving from above (downward roll).
    const qint64 rawSplit = c > 0 ? h * c / n : h * (c + n) / n;
    const int split = int(std::clamp<qint64>(rawSplit, 0, h));

    const auto add = [&frame](Source source, const QRect& from, const QPoint& to) {
        if (!from.isEmpty())
            frame.blits[size_t(frame.count++)] = TDigitsBlit{source, from, to};
    };
    // The lower `rows` rows of cell `above` on top, the upper rest of cell `below` under it.
    const auto splitCell = [&](Source source, int cellWidth, int above, int below, int rows,
                               int x) {
        add(source, QRect(above * cellWidth, h - rows, cellWidth, rows), QPoint(x, 0));
        add(source, QRect(below * cellWidth, 0, cellWidth, h - rows), QPoint(x, rows));
    };
    const auto rollCell = [&](Source source, int cellWidth, int from, int to, int x) {
        if (c > 0)
            splitCell(source, cellWidth, from, to, split, x);
        else
            splitCell(source, cellWidth, to, from, split, x);
    };

    const qint64 valueMagnitude = magnitude(state.value);
    // The glyph each position showed before the step is told by the new glyph alone: counting
    // away from zero it was one less, counting toward zero one more. A wrap (99 -> 0) thus
    // rolls only the units, from 1 to 0.
    const bool growing = c > 0 ? state.value > 0 : state.value < 0;
    bool rolling = c != 0;
    int x = digitsNaturalSize(state).width();
    for (int i = 1; i <= count; ++i) {
        x -= w;
        const int glyph = digitGlyph(state.value, i, state.showLeadingZeros);
        if (rolling) {
            int previous = 0;
            bool carry = false;
            if (glyph == kBlank && !(growing && c > 0)) {
                previous = 1;
            } else if (growing) {
                carry = glyph - 1 < 0;
                previous = carry ? 9 : glyph - 1;
                if (previous == 0 && !state.showLeadingZeros && i >= 2 &&
                    valueMagnitude / kPow10[size_t(i)] == 0)
                    previous = kBlank;
            } else {
                carry = glyph + 1 == 10;
                previous = carry ? 0 : glyph + 1;
            }
            rollCell(Source::Digits, w, previous, glyph, x);
            rolling = carry;
        } else {
            splitCell(Source::Digits, w, glyph, glyph, 0, x);
        }
        if (state.separator.width() > 0 && i % 3 == 0 && i < count) {
            x -= state.separator.width();
            add(Source::Separator, QRect(QPoint(0, 0), state.separator), QPoint(x, 0));
        }
    }

    if (state.signWidth > 0) {
        const int sign = state.value < 0 ? 1 : 0;
        // Only crossing zero turns the sign: 0 reached upward, -1 reached downward.
        if ((c > 0 && state.value == 0) || (c < 0 && state.value == -1))
            rollCell(Source::Sign, state.signWidth, 1 - sign, sign, 0);
        else
            splitCell(Source::Sign, state.signWidth, sign, sign, 0, 0);
    }
    return frame;
}

TDigits::TDigits(QWidget* parent) : QWidget(parent) {
    // No background of its own: whatever lies beneath shows around and through the cells.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    resize(84, 20);
    m_timer.setInterval(m_incDecSpeed);
    connect(&m_timer, &QTimer::timeout, this, &TDigits::timerTick);
}

void TDigits::setAllowNegative(bool allow) {
    allow = allow && !m_sign.isNull() && m_sign.width() > 0;
    if (allow == m_allowNegative)
        return;
    m_allowNegative = allow;
    // Without a sign cell a negative value would show as its magnitude.
    if (!allow && m_value < 0)
        m_value = 0;
    geometryChanged();
}

void TDigits::setAutoSize(bool autoSize) {
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    if (m_autoSize)
        applyAutoSize();
}

QSize TDigits::logicalSize(const QImage& image) {
    return image.deviceIndependentSize().toSize();
}

void TDigits::setBmpDigits(const QImage& strip) {
    if (strip.isNull() || logicalSize(strip).width() % 11 != 0)
        throw TDigitsImageError("BmpDigits requires a bitmap that contains the digits 0 through 9 "
                                "and an empty space of equal width");
    m_digits = toStripFormat(strip);
    geometryChanged();
}

void TDigits::setBmpPosNegSign(const QImage& strip) {
    if (strip.isNull()) {
        m_sign = QImage();
        setAllowNegative(false);
        return;
    }
    if (logicalSize(strip).width() % 2 != 0)
        throw TDigitsImageError("BmpPosNegSign requires a bitmap that contains a positive sign "
                                "and a negative sign of equal width");
    m_sign = toStripFormat(strip);
    if (m_allowNegative)
        geometryChanged();
}

void TDigits::setBmpThousandsSeparator(const QImage& image) {
    if (image.isNull()) {
        m_separator = QImage();
        m_showThousandsSeparator = false;
        geometryChanged();
        return;
    }
    m_separator = toStripFormat(image);
    if (m_showThousandsSeparator)
        geometryChanged();
}

void TDigits::setDigitCount(int count) {
    count = std::clamp(count, 1, kMaxDigits);
    if (count == m_digitCount)
        return;
    m_digitCount = count;
    geometryChanged();
}

void TDigits::setIncDecSpeed(int milliseconds) {
    milliseconds = std::max(milliseconds, 1);
    if (milliseconds == m_incDecSpeed)
        return;
    m_incDecSpeed = milliseconds;
    m_timer.setInterval(milliseconds);
}

void TDigits::setShowLeadingZeros(bool show) {
    if (show == m_showLeadingZeros)
        return;
    m_showLeadingZeros = show;
    paintNow();
}

void TDigits::setShowThousandsSeparator(bool show) {
    show = show && !m_separator.isNull();
    if (show == m_showThousandsSeparator)
        return;
    m_showThousandsSeparator = show;
    geometryChanged();
}

void TDigits::setValue(int value) {
    if (value < 0 && !m_allowNegative)
        value = 0;
    if (value == m_value)
        return;
    m_value = value;
    paintNow();
}

QSize TDigits::sizeHint() const {
    TDigitsFrameState state = frameState();
    if (state.cell.isEmpty())
        state.cell = QSize(14, 20);
    return digitsNaturalSize(state);
}

void TDigits::Increment() {
    step(+1);
}

void TDigits::Decrement() {
    step(-1);
}

void TDigits::step(int direction) {
    // With ten digits the cells hold more than an int: the int's range is the limit then.
    const qint64 top = std::min<qint64>(kPow10[size_t(m_digitCount)] - 1, INT_MAX);
    const qint64 bottom = m_allowNegative ? -top : 0;
    qint64 next = qint64(m_value) + direction;
    if (direction > 0 && next > top)
        next = bottom;
    else if (direction < 0 && next < bottom)
        next = top;

    m_value = int(next);
    m_stepCounter = direction * (std::max(m_incDecSteps, 1) - 1);
    paintNow();
    if (!m_timer.isActive())
        m_timer.start();
    if (!m_timer.isActive()) {
        // No timer (no event loop in this thread): show the value without a roll, no OnRotate.
        m_stepCounter = 0;
        paintNow();
    }
}

void TDigits::timerTick() {
    if (m_stepCounter != 0) {
        m_stepCounter += m_stepCounter > 0 ? -1 : 1;
        paintNow();
        return;
    }
    m_timer.stop();
    emit OnRotate(this); // last: a handler may delete this counter
}

TDigitsFrameState TDigits::frameState() const {
    TDigitsFrameState state;
    if (!m_digits.isNull())
        state.cell = QSize(logicalSize(m_digits).width() / 11, logicalSize(m_digits).height());
    state.digitCount = m_digitCount;
    state.signWidth = m_allowNegative ? logicalSize(m_sign).width() / 2 : 0;
    state.separator = m_showThousandsSeparator ? logicalSize(m_separator) : QSize();
    state.showLeadingZeros = m_showLeadingZeros;
    state.value = m_value;
    state.steps = m_incDecSteps;
    state.stepCounter = m_stepCounter;
    return state;
}

void TDigits::geometryChanged() {
    updateGeometry();
    if (m_autoSize)
        applyAutoSize();
    update(); // new artwork may keep the same size
}

void TDigits::applyAutoSize() {
    if (m_digits.isNull() || m_digits.height() == 0)
        return;
    resize(digitsNaturalSize(frameState()));
}

void TDigits::paintNow() {
    repaint();
} // no-op while hidden

void TDigits::paintEvent(QPaintEvent*) {
    if (m_digits.isNull())
        return;
    const TDigitsFrame frame = planDigitsFrame(frameState());
    QPainter painter(this);
    for (int i = 0; i < frame.count; ++i) {
        const TDigitsBlit& blit = frame.blits[size_t(i)];
        const QImage& image = blit.source == TDigitsBlit::Source::Digits ? m_digits
                              : blit.source == TDigitsBlit::Source::Sign ? m_sign
                                                                         : m_separator;
        // A sign strip or separator may be shorter than the digit cells.
        const QRect from = blit.from & QRect(QPoint(), logicalSize(image));
        if (from.isEmpty())
            continue;
        // Artwork drawn for a high-density screen holds more pixels than its size in the layout.
        const qreal ratio = image.devicePixelRatio();
        const QRectF to(blit.to + (from.topLeft() - blit.from.topLeft()), from.size());
        painter.drawImage(to, image,
                          QRectF(QPointF(from.topLeft()) * ratio, QSizeF(from.size()) * ratio));
    }
}
