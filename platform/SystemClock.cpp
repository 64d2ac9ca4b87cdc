#include "SystemClock.h"

#include <QDateTime>
#include <QLocale>

int SystemClock::millisecondsSinceMidnightUtc() const {
    return QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
}

QString SystemClock::todayShortDate() const {
    return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
}
