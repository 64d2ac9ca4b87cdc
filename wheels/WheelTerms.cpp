#include "wheels/WheelTerms.h"

#include "odds/Binomial.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("WheelTerms", text);
}

} // namespace

quint64 WheelCaseCount(const WheelTerms& terms) {
    return Binomial(terms.pool, terms.ifDrawn);
}

QString WheelTermsProblem(const WheelTerms& terms) {
    if (terms.lineSize < 2 || terms.lineSize > 7)
        return tr("Lines of %1 numbers: a wheel has lines of 2 to 7 numbers.").arg(terms.lineSize);
    if (terms.pool < terms.lineSize + 1 || terms.pool > 49)
        return tr("%1 numbers to wheel: lines of %2 need from %3 to 49.")
            .arg(terms.pool)
            .arg(terms.lineSize)
            .arg(terms.lineSize + 1);
    if (terms.ifDrawn < 2 || terms.ifDrawn > terms.lineSize)
        return tr("\"If %1 are drawn\": it must be from 2 to the line's %2 numbers.")
            .arg(terms.ifDrawn)
            .arg(terms.lineSize);
    if (terms.guarantee < 2 || terms.guarantee > terms.ifDrawn)
        return tr("A guarantee of %1 hits: it must be from 2 to the %2 drawn.")
            .arg(terms.guarantee)
            .arg(terms.ifDrawn);
    const quint64 cases = WheelCaseCount(terms);
    if (cases > MaxWheelCases) {
        const QLocale locale;
        return tr("%1 numbers taken %2 at a time make %3 cases, more than the %4 a wheel can "
                  "check.")
            .arg(terms.pool)
            .arg(terms.ifDrawn)
            .arg(locale.toString(cases), locale.toString(MaxWheelCases));
    }
    return {};
}

quint64 SchoenheimBound(int v, int k, int t) {
    if (t <= 0)
        return 1;
    if (k <= 0 || v < k || t > k)
        return 0;
    // Innermost first: L(v-t+1, k-t+1, 1) = ceil((v-t+1)/(k-t+1)), then outwards.
    quint64 bound = 1;
    for (int i = t - 1; i >= 0; --i) {
        const quint64 numerator = quint64(v - i) * bound, denominator = quint64(k - i);
        bound = (numerator + denominator - 1) / denominator;
    }
    return bound;
}

quint64 WheelLowerBound(const WheelTerms& terms) {
    if (terms.guarantee == terms.ifDrawn)
        return SchoenheimBound(terms.pool, terms.lineSize, terms.guarantee);
    return 1;
}

QVector<int> LineNumbers(WheelLine line, const QVector<int>& playerNumbers) {
    QVector<int> numbers;
    for (int i = 0; i < playerNumbers.size() && i < 64; ++i)
        if (line & (WheelLine(1) << i))
            numbers.append(playerNumbers[i]);
    return numbers;
}

QVector<QVector<int>> WheelNumbers(const WheelLines& lines, const QVector<int>& playerNumbers,
                                   const std::atomic<bool>* stop) {
    QVector<QVector<int>> numbers;
    numbers.reserve(qsizetype(lines.size()));
    for (WheelLine line : lines) {
        if ((numbers.size() & 0xfff) == 0xfff && stop && stop->load(std::memory_order_relaxed))
            return {};
        numbers.append(LineNumbers(line, playerNumbers));
    }
    return numbers;
}
