#pragma once

#include <QString>

class Clock {
public:
    virtual ~Clock() = default;
    // Time of day in UTC, milliseconds since midnight.
    virtual int millisecondsSinceMidnightUtc() const = 0;
    // Today's date in the user's short date format.
    virtual QString todayShortDate() const = 0;
};
