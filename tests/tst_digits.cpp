#include "controls/DigitArt.h"
#include "controls/Digits.h"

#include <QSignalSpy>
#include <QTest>

#include <climits>

namespace {

// Test artwork whose every pixel row says where it came from: red names the cell (digits
// 0..9 and blank as 0..200 in steps of 20, plus 220, minus 240, separator 250), green is the
// row * 10. Digit cells 14 x 20, sign cells 10 x 20, separator 4 x 20.
QImage codedImage(int cells, int cellWidth, int firstRed) {
    QImage image(cells * cellWidth, 20, QImage::Format_ARGB32);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < 20; ++y)
            image.setPixel(x, y, qRgb(firstRed + (x / cellWidth) * 20, y * 10, 255));
    return image;
}
QImage codedDigits() {
    return codedImage(11, 14, 0);
}
QImage codedSigns() {
    return codedImage(2, 10, 220);
}
QImage codedSeparator() {
    return codedImage(1, 4, 250);
}

QString cellName(QRgb pixel) {
    if (qAlpha(pixel) == 0)
        return QStringLiteral(".");
    const int red = qRed(pixel);
    if (red == 200)
        return QStringLiteral("_");
    if (red < 200)
        return QString::number(red / 20);
    return red == 220 ? QStringLiteral("+") : red == 240 ? QStringLiteral("-") : "|";
}

// The rows of the cell column at x as runs "name/firstRow-lastRow", top to bottom.
QString cellRuns(const QImage& frame, int x) {
    QStringList runs;
    QString name;
    int first = -1, last = -1;
    const auto flush = [&] {
        if (!name.isEmpty())
            runs << QStringLiteral("%1/%2-%3").arg(name).arg(first).arg(last);
    };
    for (int y = 0; y < frame.height(); ++y) {
        const QRgb pixel = frame.pixel(x, y);
        const QString here = cellName(pixel);
        const int row = qGreen(pixel) / 10;
        if (here != name || row != last + 1) {
            flush();
            name = here;
            first = row;
        }
        last = row;
    }
    flush();
    return runs.join(' ');
}

// Left to right along the top row: each source and its width, e.g. "-:10 1:14 |:4".
QString rowLayout(const QImage& frame) {
    QStringList parts;
    QString name;
    int width = 0;
    for (int x = 0; x <= frame.width(); ++x) {
        const QString here = x < frame.width() ? cellName(frame.pixel(x, 0)) : QString();
        if (here != name && width > 0) {
            parts << QStringLiteral("%1:%2").arg(name).arg(width);
            width = 0;
        }
        name = here;
        ++width;
    }
    return parts.join(' ');
}

QImage frameOf(TDigits& digits) {
    QImage frame(digits.size(), QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    digits.render(&frame, QPoint(), QRegion(), QWidget::RenderFlags());
    return frame;
}

// Every cell of the current frame, left to right (sign cell first when present).
QStringList cellsOf(TDigits& digits) {
    const QImage frame = frameOf(digits);
    QStringList cells;
    int x = 0;
    if (digits.AllowNegative()) {
        cells << cellRuns(frame, 5);
        x = 10;
    }
    for (int i = 0; i < digits.DigitCount(); ++i, x += 14)
        cells << cellRuns(frame, x + 7);
    return cells;
}

// A two-digit counter on the coded strip whose timer never fires on its own.
void setUpCounter(TDigits& digits, bool leadingZeros, bool allowNegative = false) {
    digits.setBmpDigits(codedDigits());
    if (allowNegative) {
        digits.setBmpPosNegSign(codedSigns());
        digits.setAllowNegative(true);
    }
    digits.setDigitCount(2);
    digits.setIncDecSteps(6);
    digits.setIncDecSpeed(INT_MAX);
    digits.setShowLeadingZeros(leadingZeros);
}

class CountingDigits : public TDigits {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        TDigits::paintEvent(event);
    }
};

} // namespace

class TestDigits : public QObject {
    Q_OBJECT

private slots:
    void defaults();
    void propertiesByName_data();
    void propertiesByName();
    void negativeNeedsSignStrip();
    void refusedStrips_data();
    void refusedStrips();
    void autoSize_data();
    void autoSize();
    void autoSizeOffKeepsSize();
    void glyphs_data();
    void glyphs();
    void steps_data();
    void steps();
    void splitRows_data();
    void splitRows();
    void fullestFrame();
    void nineToTenRoll_data();
    void nineToTenRoll();
    void rollFrames_data();
    void rollFrames();
    void separatorLayout();
    void singleStepRoll();
    void twoIncrementsOneRotate();
    void paintsAtOnceOnlyWhenVisible();
    void chainedRollsOnRealTimer();
    void artwork();
    void storedArtworkIsTheDrawnArtwork();
    void sharpAtHighDensity();
};

void TestDigits::defaults() {
    TDigits digits;
    QCOMPARE(digits.size(), QSize(84, 20));
    QCOMPARE(digits.DigitCount(), 6);
    QCOMPARE(digits.IncDecSpeed(), 100);
    QCOMPARE(digits.IncDecSteps(), 4);
    QVERIFY(digits.AutoSize());
    QVERIFY(!digits.ShowLeadingZeros());
    QCOMPARE(digits.Value(), 0);
    QCOMPARE(digits.StepCounter(), 0);
    digits.setDigitCount(2); // no strip yet: automatic sizing waits for one
    QCOMPARE(digits.size(), QSize(84, 20));
}

// Set by name, as a Designer layout does.
void TestDigits::propertiesByName_data() {
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("assigned");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("DigitCount 0") << QByteArray("DigitCount") << QVariant(0) << QVariant(1);
    QTest::newRow("DigitCount 25") << QByteArray("DigitCount") << QVariant(25) << QVariant(10);
    QTest::newRow("DigitCount 2") << QByteArray("DigitCount") << QVariant(2) << QVariant(2);
    QTest::newRow("IncDecSpeed 0") << QByteArray("IncDecSpeed") << QVariant(0) << QVariant(1);
    QTest::newRow("IncDecSpeed -5") << QByteArray("IncDecSpeed") << QVariant(-5) << QVariant(1);
    QTest::newRow("IncDecSpeed 40") << QByteArray("IncDecSpeed") << QVariant(40) << QVariant(40);
    QTest::newRow("IncDecSteps 0") << QByteArray("IncDecSteps") << QVariant(0) << QVariant(0);
    QTest::newRow("Value -3") << QByteArray("Value") << QVariant(-3) << QVariant(0);
    QTest::newRow("Value 7") << QByteArray("Value") << QVariant(7) << QVariant(7);
    QTest::newRow("ShowLeadingZeros")
        << QByteArray("ShowLeadingZeros") << QVariant(true) << QVariant(true);
    QTest::newRow("AllowNegative, no sign strip")
        << QByteArray("AllowNegative") << QVariant(true) << QVariant(false);
    QTest::newRow("ShowThousandsSeparator, no image")
        << QByteArray("ShowThousandsSeparator") << QVariant(true) << QVariant(false);
}

void TestDigits::propertiesByName() {
    QFETCH(QByteArray, property);
    QFETCH(QVariant, assigned);
    QFETCH(QVariant, expected);
    TDigits digits;
    QVERIFY(digits.setProperty(property, assigned));
    QCOMPARE(digits.property(property), expected);
}

void TestDigits::negativeNeedsSignStrip() {
    TDigits digits;
    setUpCounter(digits, true);
    digits.setBmpPosNegSign(codedSigns());
    digits.setValue(-3);
    QCOMPARE(digits.Value(), 0);
    digits.setAllowNegative(true);
    digits.setValue(-3);
    QCOMPARE(digits.Value(), -3);
    QCOMPARE(cellsOf(digits), QStringList({"-/0-19", "0/0-19", "3/0-19"}));

    // Losing the sign strip loses the sign: the value must not pass for its magnitude.
    digits.setBmpPosNegSign(QImage());
    QVERIFY(!digits.AllowNegative());
    QCOMPARE(digits.Value(), 0);
    QCOMPARE(digits.size(), QSize(28, 20));
}

void TestDigits::refusedStrips_data() {
    QTest::addColumn<bool>("sign");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("digits 154") << false << 154 << true;
    QTest::newRow("digits 150") << false << 150 << false;
    QTest::newRow("digits none") << false << 0 << false;
    QTest::newRow("signs 20") << true << 20 << true;
    QTest::newRow("signs 21") << true << 21 << false;
}

void TestDigits::refusedStrips() {
    QFETCH(bool, sign);
    QFETCH(int, width);
    QFETCH(bool, accepted);
    TDigits digits;
    digits.setBmpDigits(codedImage(11, 10, 0));
    digits.setBmpPosNegSign(codedImage(2, 6, 220));
    digits.setAllowNegative(true);
    digits.setDigitCount(2);
    const QImage before = sign ? digits.BmpPosNegSign() : digits.BmpDigits();
    const QImage offered = width > 0 ? codedImage(1, width, 0) : QImage();

    QString error;
    try {
        sign ? digits.setBmpPosNegSign(offered) : digits.setBmpDigits(offered);
    } catch (const TDigitsImageError& e) {
        error = QString::fromUtf8(e.what());
    }
    const QImage after = sign ? digits.BmpPosNegSign() : digits.BmpDigits();
    if (accepted) {
        QVERIFY(error.isEmpty());
        QCOMPARE(after.width(), width);
        QCOMPARE(digits.width(), sign ? 2 * 10 + 10 : 2 * 14 + 6);
    } else {
        QCOMPARE(error, sign ? QString("BmpPosNegSign requires a bitmap that contains a positive "
                                       "sign and a negative sign of equal width")
                             : QString("BmpDigits requires a bitmap that contains the digits 0 "
                                       "through 9 and an empty space of equal width"));
        QCOMPARE(after, before);
        QCOMPARE(digits.size(), QSize(2 * 10 + 6, 20));
    }
}

void TestDigits::autoSize_data() {
    QTest::addColumn<int>("digitCount");
    QTest::addColumn<bool>("separators");
    QTest::addColumn<bool>("sign");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("2 plain") << 2 << false << false << QSize(28, 20);
    QTest::newRow("3, one group") << 3 << true << false << QSize(42, 20);
    QTest::newRow("4 separated") << 4 << true << false << QSize(60, 20);
    QTest::newRow("7 separated") << 7 << true << false << QSize(106, 20);
    QTest::newRow("4 signed") << 4 << false << true << QSize(66, 20);
    QTest::newRow("10 separated, signed") << 10 << true << true << QSize(162, 20);
}

void TestDigits::autoSize() {
    QFETCH(int, digitCount);
    QFETCH(bool, separators);
    QFETCH(bool, sign);
    QFETCH(QSize, expected);
    TDigits digits;
    digits.setBmpDigits(codedDigits());
    digits.setBmpPosNegSign(codedSigns());
    digits.setBmpThousandsSeparator(codedSeparator());
    digits.setDigitCount(digitCount);
    digits.setShowThousandsSeparator(separators);
    digits.setAllowNegative(sign);
    QCOMPARE(digits.size(), expected);
    QCOMPARE(digits.sizeHint(), expected);

    digits.setBmpThousandsSeparator(QImage());
    QVERIFY(!digits.ShowThousandsSeparator());
    QCOMPARE(digits.width(), 14 * digitCount + (sign ? 10 : 0));
}

void TestDigits::autoSizeOffKeepsSize() {
    TDigits digits;
    digits.setAutoSize(false);
    digits.setBmpDigits(codedDigits());
    digits.setDigitCount(2);
    QCOMPARE(digits.size(), QSize(84, 20));
    digits.setAutoSize(true);
    QCOMPARE(digits.size(), QSize(28, 20));
}

void TestDigits::glyphs_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("digitCount");
    QTest::addColumn<bool>("leadingZeros");
    QTest::addColumn<QString>("expected");
    QTest::newRow("7 zeros") << 7 << 2 << true << "07";
    QTest::newRow("7 blank") << 7 << 2 << false << "_7";
    QTest::newRow("0 zeros") << 0 << 2 << true << "00";
    QTest::newRow("0 blank") << 0 << 2 << false << "_0";
    QTest::newRow("inner zero") << 1005 << 6 << false << "__1005";
    QTest::newRow("lowest digits") << 1234567 << 3 << false << "567";
    QTest::newRow("int max") << INT_MAX << 10 << true << "2147483647";
}

void TestDigits::glyphs() {
    QFETCH(int, value);
    QFETCH(int, digitCount);
    QFETCH(bool, leadingZeros);
    QFETCH(QString, expected);
    TDigits digits;
    digits.setBmpDigits(codedDigits());
    digits.setDigitCount(digitCount);
    digits.setShowLeadingZeros(leadingZeros);
    digits.setValue(value);
    QString shown;
    for (const QString& cell : cellsOf(digits))
        shown += cell.section('/', 0, 0);
    QCOMPARE(shown, expected);
}

void TestDigits::steps_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("digitCount");
    QTest::addColumn<bool>("allowNegative");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("expected");
    QTest::newRow("9 up") << 9 << 2 << false << 1 << 10;
    QTest::newRow("99 up wraps") << 99 << 2 << false << 1 << 0;
    QTest::newRow("99 up wraps negative") << 99 << 2 << true << 1 << -99;
    QTest::newRow("-1 up") << -1 << 2 << true << 1 << 0;
    QTest::newRow("past the cells") << 150 << 2 << false << 1 << 0;
    QTest::newRow("ten digits, int max") << INT_MAX << 10 << false << 1 << 0;
    QTest::newRow("ten digits, int max, negative") << INT_MAX << 10 << true << 1 << -INT_MAX;
    QTest::newRow("10 down") << 10 << 2 << false << -1 << 9;
    QTest::newRow("0 down wraps") << 0 << 2 << false << -1 << 99;
    QTest::newRow("0 down negative") << 0 << 2 << true << -1 << -1;
    QTest::newRow("-99 down wraps") << -99 << 2 << true << -1 << 99;
    QTest::newRow("ten digits, int min") << INT_MIN << 10 << true << -1 << INT_MAX;
}

void TestDigits::steps() {
    QFETCH(int, start);
    QFETCH(int, digitCount);
    QFETCH(bool, allowNegative);
    QFETCH(int, direction);
    QFETCH(int, expected);
    TDigits digits;
    setUpCounter(digits, true, allowNegative);
    digits.setDigitCount(digitCount);
    digits.setValue(start);
    direction > 0 ? digits.Increment() : digits.Decrement();
    QCOMPARE(digits.Value(), expected);
    QCOMPARE(digits.StepCounter(), 5 * direction);
}

void TestDigits::splitRows_data() {
    QTest::addColumn<int>("stepCounter");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("split");
    for (int c = 5; c >= -5; --c) {
        static const int rows[] = {3, 6, 10, 13, 16, 20, 3, 6, 10, 13, 16}; // c = -5 .. 5
        QTest::addRow("c %d of 6", c) << c << 6 << rows[c + 5];
    }
    QTest::newRow("counter past the steps") << 9 << 6 << 20;
    QTest::newRow("no steps") << 0 << 0 << 20;
}

// Rows taken from above the split in the units cell of a 9 -> 10 (or 10 -> 9) roll.
void TestDigits::splitRows() {
    QFETCH(int, stepCounter);
    QFETCH(int, steps);
    QFETCH(int, split);
    TDigitsFrameState state;
    state.cell = QSize(14, 20);
    state.digitCount = 2;
    state.value = stepCounter >= 0 ? 10 : 9;
    state.steps = steps;
    state.stepCounter = stepCounter;
    const TDigitsFrame frame = planDigitsFrame(state);
    const TDigitsBlit& first = frame.blits[0];
    QCOMPARE(first.to, QPoint(14, 0));
    QCOMPARE(first.from.height(), split);
    QCOMPARE(first.from.bottom(), 19);
}

void TestDigits::fullestFrame() {
    TDigitsFrameState state;
    state.cell = QSize(14, 20);
    state.digitCount = 10;
    state.signWidth = 10;
    state.separator = QSize(4, 20);
    state.value = -9999999999LL;
    state.steps = 6;
    state.stepCounter = 3;
    // Every digit cell split (the sign only turns at zero), all within the fixed capacity.
    const TDigitsFrame frame = planDigitsFrame(state);
    QCOMPARE(frame.count, 2 * 10 + 3 + 1);
    QVERIFY(frame.count <= int(frame.blits.size()));
    QCOMPARE(frame.blits[size_t(frame.count - 1)].source, TDigitsBlit::Source::Sign);
    QCOMPARE(digitsNaturalSize(state), QSize(140 + 12 + 10, 20));
}

void TestDigits::nineToTenRoll_data() {
    QTest::addColumn<bool>("leadingZeros");
    QTest::addColumn<QString>("oldTens");
    QTest::newRow("leading zeros") << true << "0";
    QTest::newRow("blank") << false << "_";
}

// 6 frames of 20 rows: the old digits leave upward while the new come in from below.
void TestDigits::nineToTenRoll() {
    QFETCH(bool, leadingZeros);
    QFETCH(QString, oldTens);
    TDigits digits;
    setUpCounter(digits, leadingZeros);
    digits.setValue(9);
    QSignalSpy rotated(&digits, &TDigits::OnRotate);

    digits.Increment();
    for (const int split : {16, 13, 10, 6, 3}) {
        const QString upper = QStringLiteral("/%1-19 ").arg(20 - split);
        const QString lower = QStringLiteral("/0-%1").arg(19 - split);
        QCOMPARE(cellsOf(digits),
                 QStringList({oldTens + upper + "1" + lower, "9" + upper + "0" + lower}));
        QCOMPARE(rotated.count(), 0);
        digits.timerTick();
    }
    QCOMPARE(digits.StepCounter(), 0);
    QCOMPARE(cellsOf(digits), QStringList({"1/0-19", "0/0-19"}));
    QCOMPARE(rotated.count(), 0);
    digits.timerTick();
    QCOMPARE(rotated.count(), 1);
    QCOMPARE(rotated.at(0).at(0).value<TDigits*>(), &digits);
}

void TestDigits::rollFrames_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("leadingZeros");
    QTest::addColumn<bool>("allowNegative");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QStringList>("expected");
    // Upward first frame splits at row 16, downward first frame at row 3.
    QTest::newRow("12 to 13, no carry")
        << 12 << true << false << 1 << QStringList{"1/0-19", "2/4-19 3/0-3"};
    // A wrap is painted as any step toward zero: the units come from one above, no carry.
    QTest::newRow("99 to 0 rolls only the units")
        << 99 << true << false << 1 << QStringList{"0/0-19", "1/4-19 0/0-3"};
    QTest::newRow("99 to 0 rolls only the units, blank")
        << 99 << false << false << 1 << QStringList{"_/0-19", "1/4-19 0/0-3"};
    QTest::newRow("99 to -99, sign stays")
        << 99 << true << true << 1 << QStringList{"-/0-19", "0/4-19 9/0-3", "0/4-19 9/0-3"};
    QTest::newRow("0 down to 99") << 0 << false << false << -1
                                  << QStringList{"9/17-19 0/0-16", "9/17-19 0/0-16"};
    QTest::newRow("10 down to 9") << 10 << true << false << -1
                                  << QStringList{"0/17-19 1/0-16", "9/17-19 0/0-16"};
    QTest::newRow("10 down to 9, blank")
        << 10 << false << false << -1 << QStringList{"_/17-19 1/0-16", "9/17-19 0/0-16"};
    QTest::newRow("0 down to -1, sign rolls")
        << 0 << true << true << -1 << QStringList{"-/17-19 +/0-16", "0/0-19", "1/17-19 0/0-16"};
    QTest::newRow("-1 up to 0, sign rolls")
        << -1 << true << true << 1 << QStringList{"-/4-19 +/0-3", "0/0-19", "1/4-19 0/0-3"};
    QTest::newRow("-10 up to -9") << -10 << false << true << 1
                                  << QStringList{"-/0-19", "1/4-19 _/0-3", "0/4-19 9/0-3"};
    QTest::newRow("-9 down to -10")
        << -9 << false << true << -1 << QStringList{"-/0-19", "1/17-19 _/0-16", "0/17-19 9/0-16"};
}

void TestDigits::rollFrames() {
    QFETCH(int, start);
    QFETCH(bool, leadingZeros);
    QFETCH(bool, allowNegative);
    QFETCH(int, direction);
    QFETCH(QStringList, expected);
    TDigits digits;
    setUpCounter(digits, leadingZeros, allowNegative);
    digits.setValue(start);
    direction > 0 ? digits.Increment() : digits.Decrement();
    QCOMPARE(cellsOf(digits), expected);
}

void TestDigits::separatorLayout() {
    TDigits digits;
    digits.setBmpDigits(codedDigits());
    digits.setBmpPosNegSign(codedSigns());
    digits.setBmpThousandsSeparator(codedSeparator());
    digits.setDigitCount(7);
    digits.setShowThousandsSeparator(true);
    digits.setAllowNegative(true);
    digits.setValue(-1234567);
    QCOMPARE(rowLayout(frameOf(digits)), "-:10 1:14 |:4 2:14 3:14 4:14 |:4 5:14 6:14 7:14");

    // Cells never stretch: with automatic sizing off the rest shows what lies beneath.
    digits.setAutoSize(false);
    digits.resize(130, 20);
    QCOMPARE(rowLayout(frameOf(digits)), "-:10 1:14 |:4 2:14 3:14 4:14 |:4 5:14 6:14 7:14 .:14");
}

void TestDigits::singleStepRoll() {
    TDigits digits;
    setUpCounter(digits, true);
    digits.setIncDecSteps(1);
    QSignalSpy rotated(&digits, &TDigits::OnRotate);
    digits.Increment();
    QCOMPARE(digits.StepCounter(), 0);
    QCOMPARE(cellsOf(digits), QStringList({"0/0-19", "1/0-19"}));
    QCOMPARE(rotated.count(), 0);
    digits.timerTick();
    QCOMPARE(rotated.count(), 1);

    digits.setIncDecSteps(0); // unguarded by the setter; must neither crash nor roll backward
    digits.Increment();
    QCOMPARE(digits.StepCounter(), 0);
    QCOMPARE(cellsOf(digits), QStringList({"0/0-19", "2/0-19"}));
}

void TestDigits::twoIncrementsOneRotate() {
    TDigits digits;
    setUpCounter(digits, true);
    QSignalSpy rotated(&digits, &TDigits::OnRotate);
    digits.Increment();
    digits.timerTick();
    digits.timerTick();
    digits.Increment(); // frames start again
    QCOMPARE(digits.StepCounter(), 5);
    QCOMPARE(digits.Value(), 2);
    QCOMPARE(cellsOf(digits), QStringList({"0/0-19", "1/4-19 2/0-3"}));
    for (int tick = 0; tick < 5; ++tick)
        digits.timerTick();
    QCOMPARE(rotated.count(), 0);
    digits.timerTick();
    QCOMPARE(rotated.count(), 1);

    // Assigning a value keeps the roll going, from the digit below the new one.
    digits.Increment();
    digits.setValue(40);
    QCOMPARE(digits.StepCounter(), 5);
    QCOMPARE(cellsOf(digits), QStringList({"3/4-19 4/0-3", "9/4-19 0/0-3"}));
}

void TestDigits::paintsAtOnceOnlyWhenVisible() {
    CountingDigits digits;
    setUpCounter(digits, false);
    digits.setValue(5); // hidden: nothing drawn
    QCOMPARE(digits.paints, 0);

    digits.show();
    QVERIFY(QTest::qWaitForWindowExposed(&digits));
    digits.paints = 0;
    digits.setValue(6);
    QCOMPARE(digits.paints, 1);
    digits.setShowLeadingZeros(true);
    QCOMPARE(digits.paints, 2);
    digits.Increment();
    QCOMPARE(digits.paints, 3);
    digits.timerTick();
    QCOMPARE(digits.paints, 4);
}

// The main window's pattern: each OnRotate starts the next step until the target is reached.
void TestDigits::chainedRollsOnRealTimer() {
    TDigits digits;
    setUpCounter(digits, true);
    digits.setIncDecSpeed(1);
    digits.setIncDecSteps(3);
    connect(&digits, &TDigits::OnRotate, &digits, [](TDigits* sender) {
        if (sender->Value() < 3)
            sender->Increment();
    });
    QSignalSpy rotated(&digits, &TDigits::OnRotate);
    digits.Increment();
    QTRY_COMPARE_WITH_TIMEOUT(rotated.count(), 3, 2000);
    QCOMPARE(digits.Value(), 3);
    QTest::qWait(30); // the timer has stopped: no further OnRotate
    QCOMPARE(rotated.count(), 3);
    QCOMPARE(digits.StepCounter(), 0);
}

// The strips stored at build time are exactly what the drawing code draws; other ratios draw.
void TestDigits::storedArtworkIsTheDrawnArtwork() {
    for (const qreal ratio : {1.0, 2.0}) {
        const QImage stored = DigitArt::storedCounterStrip(ratio);
        QVERIFY(!stored.isNull());
        QCOMPARE(stored.devicePixelRatio(), ratio);
        QCOMPARE(stored, DigitArt::paintCounterStrip(ratio));
        QCOMPARE(DigitArt::counterStrip(ratio), stored);
    }
    QVERIFY(DigitArt::storedCounterStrip(1.5).isNull());
    const QImage drawn = DigitArt::counterStrip(1.5);
    QCOMPARE(drawn.size(), QSize(231, 30));
    QCOMPARE(drawn, DigitArt::paintCounterStrip(1.5));
}

void TestDigits::artwork() {
    const QImage strip = DigitArt::counterStrip();
    QCOMPARE(strip.size(), QSize(154, 20));
    QCOMPARE(DigitArt::signStrip().size(), QSize(28, 20));
    QCOMPARE(DigitArt::separatorImage().height(), 20);

    const auto cell = [&strip](int glyph) { return strip.copy(glyph * 14, 0, 14, 20); };
    const auto brightest = [](const QImage& image) {
        int best = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                best = std::max(best, qGray(image.pixel(x, y)));
        return best;
    };
    QVERIFY(brightest(cell(10)) < 100); // the blank drum is dark throughout
    for (int glyph = 0; glyph < 10; ++glyph) {
        QVERIFY2(brightest(cell(glyph)) > 200, qPrintable(QString::number(glyph)));
        for (int other = glyph + 1; other <= 10; ++other)
            QVERIFY(cell(glyph) != cell(other));
    }

    TDigits digits;
    digits.setBmpDigits(strip);
    digits.setBmpPosNegSign(DigitArt::signStrip());
    digits.setBmpThousandsSeparator(DigitArt::separatorImage());
    digits.setDigitCount(2);
    QCOMPARE(digits.size(), QSize(28, 20));
}

namespace {

// A two-digit counter showing 48 rendered into an image of twice its size, as on a screen at
// 200 %; the count of 2 x 2 pixel blocks that are not one colour. Art drawn at 1x and doubled
// has none.
int unevenBlocks(const QImage& strip) {
    TDigits digits;
    digits.setDigitCount(2);
    digits.setBmpDigits(strip);
    digits.setShowLeadingZeros(true);
    digits.setValue(48);
    QImage image(digits.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    digits.render(&image);
    int uneven = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            uneven += p != image.pixel(x + 1, y) || p != image.pixel(x, y + 1) ||
                      p != image.pixel(x + 1, y + 1);
        }
    return uneven;
}

} // namespace

void TestDigits::sharpAtHighDensity() {
    const QImage sharp = DigitArt::counterStrip(2.0);
    QCOMPARE(sharp.size(), QSize(308, 40));
    QCOMPARE(TDigits::logicalSize(sharp), QSize(154, 20));
    const int doubled = unevenBlocks(DigitArt::counterStrip(1.0));
    const int native = unevenBlocks(sharp);
    QVERIFY2(native > 40 && native > 4 * doubled,
             qPrintable(QString("uneven blocks: %1 at 2x, %2 doubled").arg(native).arg(doubled)));
}

QTEST_MAIN(TestDigits)
#include "tst_digits.moc"
