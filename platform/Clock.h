#pragma once

#include <QString>

class Clock {
public:
    virtual ~Clock() = default;
    // Time of day in UTC, milliseconds since midnight.
    virtual int millisecondsSinceMidnightUtc() const = 0;
    // The user's short date format as a QDate format string: the locale's order of day, month
    // and year and its separator, each part two digits ("dd/MM/yy", "MM/dd/yy", "yy-MM-dd"), so
    // a date is always 8 characters.
    virtual QString shortDateFormat() const { return QStringLiteral("dd/MM/yy"); }
    // Today's date in shortDateFormat().
    virtual QString todayShortDate() const = 0;
};
