#pragma once

// TDigits: an odometer-style counter. The value is shown as a row of digit cells cut from a
// picture strip; Increment() rolls the changed cells upward over IncDecSteps frames, one frame
// per IncDecSpeed ms, and raises OnRotate when the roll is over.
//
// Pipeline: setters store state -> planDigitsFrame() turns that state into rectangle copies
// (pure, unit-tested) -> paintEvent() only performs the copies.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <array>
#include <stdexcept>

// Thrown by setBmpDigits() and setBmpPosNegSign() for a strip of unusable shape; what()
// carries the message to show. The control keeps its previous image.
class TDigitsImageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Everything one frame depends on. Widths of 0 mean the sign cell / separators are not shown.
struct TDigitsFrameState {
    QSize cell;         // one digit cell: strip width / 11 by strip height
    int digitCount = 6; // 1..10
    int signWidth = 0;  // sign cell width when negatives are allowed, else 0
    QSize separator;    // separator image size when separators are shown, else empty
    bool showLeadingZeros = false;
    qint64 value = 0;
    int steps = 4;       // frames per roll
    int stepCounter = 0; // > 0 upward roll, < 0 downward roll, 0 still
};

struct TDigitsBlit {
    enum class Source : quint8 { Digits, Sign, Separator };
    Source source = Source::Digits;
    QRect from; // in the source image
    QPoint to;  // top-left corner in the control
};

// Fixed capacity so painting needs no allocation: two part-cells for each of ten digits,
// three separators, two part-cells for the sign.
struct TDigitsFrame {
    std::array<TDigitsBlit, 25> blits{};
    int count = 0;
};

// Glyph index (0..9, 10 = blank) at position 1 (units) .. 10 of value.
int digitGlyph(qint64 value, int position, bool showLeadingZeros);

// Size of all cells: digits, separators between groups of three, sign cell on the left.
QSize digitsNaturalSize(const TDigitsFrameState& state);

// The rectangle copies that draw one frame, right to left.
TDigitsFrame planDigitsFrame(const TDigitsFrameState& state);

class TDigits : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool AllowNegative READ AllowNegative WRITE setAllowNegative)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(QImage BmpDigits READ BmpDigits WRITE setBmpDigits)
    Q_PROPERTY(QImage BmpPosNegSign READ BmpPosNegSign WRITE setBmpPosNegSign)
    Q_PROPERTY(
        QImage BmpThousandsSeparator READ BmpThousandsSeparator WRITE setBmpThousandsSeparator)
    Q_PROPERTY(int DigitCount READ DigitCount WRITE setDigitCount)
    Q_PROPERTY(int IncDecSpeed READ IncDecSpeed WRITE setIncDecSpeed)
    Q_PROPERTY(int IncDecSteps READ IncDecSteps WRITE setIncDecSteps)
    Q_PROPERTY(bool ShowLeadingZeros READ ShowLeadingZeros WRITE setShowLeadingZeros)
    Q_PROPERTY(
        bool ShowThousandsSeparator READ ShowThousandsSeparator WRITE setShowThousandsSeparator)
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    // An image's size in the layout: its pixels over its device pixel ratio.
    static QSize logicalSize(const QImage& image);

    explicit TDigits(QWidget* parent = nullptr);

    // Only possible with a sign strip; turning it off also resets a negative Value to 0.
    bool AllowNegative() const { return m_allowNegative; }
    void setAllowNegative(bool allow);

    bool AutoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    // Eleven cells of equal width: 0..9 and a blank. Throws TDigitsImageError for a null
    // image or a width that is not a multiple of 11. Stored as 32-bit ARGB for fast copies.
    QImage BmpDigits() const { return m_digits; }
    void setBmpDigits(const QImage& strip);

    // Two cells of equal width: positive, negative. A null image removes the sign strip and
    // turns AllowNegative off; an odd width throws TDigitsImageError.
    QImage BmpPosNegSign() const { return m_sign; }
    void setBmpPosNegSign(const QImage& strip);

    // Drawn at its own size between groups of three digits. A null image removes it and
    // turns ShowThousandsSeparator off.
    QImage BmpThousandsSeparator() const { return m_separator; }
    void setBmpThousandsSeparator(const QImage& image);

    int DigitCount() const { return m_digitCount; }
    void setDigitCount(int count); // clamped to 1..10

    int IncDecSpeed() const { return m_incDecSpeed; }
    void setIncDecSpeed(int milliseconds); // at least 1

    // Frames per roll, the last showing the finished digits; below 1 counts as 1.
    int IncDecSteps() const { return m_incDecSteps; }
    void setIncDecSteps(int steps) { m_incDecSteps = steps; }

    bool ShowLeadingZeros() const { return m_showLeadingZeros; }
    void setShowLeadingZeros(bool show);

    // Only possible with a separator image.
    bool ShowThousandsSeparator() const { return m_showThousandsSeparator; }
    void setShowThousandsSeparator(bool show);

    // Shows the value at once; never starts or stops a roll. Negative becomes 0 unless
    // AllowNegative is on.
    int Value() const { return m_value; }
    void setValue(int value);

    // Frames of the current roll still to show: > 0 upward, < 0 downward, 0 idle.
    int StepCounter() const { return m_stepCounter; }
    // A roll is under way: its timer runs until OnRotate.
    bool isRolling() const { return m_timer.isActive(); }

    QSize sizeHint() const override;

public slots:
    // Counts up by one with an upward roll. Past the largest value the cells (or an int) hold
    // it wraps to 0, or to the negated largest value when AllowNegative is on (99 -> -99).
    void Increment();
    // The mirror of Increment: counts down by one with a downward roll. Below 0 (without
    // AllowNegative) or below the negated largest value it wraps to the largest (0 -> 99).
    void Decrement();
    // One frame of the roll; the step timer calls it. With no frame left it stops the timer
    // and raises OnRotate.
    void timerTick();

signals:
    void OnRotate(TDigits* sender);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void step(int direction);
    TDigitsFrameState frameState() const;
    void geometryChanged();
    void applyAutoSize();
    void paintNow();

    bool m_allowNegative = false;
    bool m_autoSize = true;
    QImage m_digits;
    QImage m_sign;
    QImage m_separator;
    int m_digitCount = 6;
    int m_incDecSpeed = 100;
    int m_incDecSteps = 4;
    bool m_showLeadingZeros = false;
    bool m_showThousandsSeparator = false;
    int m_value = 0;
    int m_stepCounter = 0;
    QTimer m_timer;
};
