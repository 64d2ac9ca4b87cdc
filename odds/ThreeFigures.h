#pragma once

#include <QString>
#include <algorithm>
#include <cmath>

// A positive number to three significant figures without an exponent, as chances and expected
// counts are shown: "0.00000715", "1.77", "17.7", "177".
inline QString threeFigures(long double value) {
    if (!(value > 0))
        return QStringLiteral("0");
    const int decimals = std::max(0, 2 - int(std::floor(std::log10(double(value)))));
    return QString::number(double(value), 'f', decimals);
}
