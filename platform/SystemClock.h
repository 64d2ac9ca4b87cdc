#pragma once

#include "Clock.h"

class QLocale;

class SystemClock : public Clock {
public:
    int millisecondsSinceMidnightUtc() const override;
    QString shortDateFormat() const override;
    QString todayShortDate() const override;
};

// The 8-character date format for `locale`: its short format's order of day, month and year
// and its separator, with two digits each; "dd/MM/yy" when it has no numeric order.
QString eightCharacterDateFormat(const QLocale& locale);
