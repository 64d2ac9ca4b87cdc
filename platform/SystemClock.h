#pragma once

#include "Clock.h"

class SystemClock : public Clock {
public:
    int millisecondsSinceMidnightUtc() const override;
    QString todayShortDate() const override;
};
