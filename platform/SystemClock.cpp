#include "SystemClock.h"

#include <QDateTime>
#include <QLocale>

int SystemClock::millisecondsSinceMidnightUtc() const {
    return QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
}

QString SystemClock::shortDateFormat() const {
    return eightCharacterDateFormat(QLocale());
}

QString SystemClock::todayShortDate() const {
    return QDate::currentDate().toString(shortDateFormat());
}

QString eightCharacterDateFormat(const QLocale& locale) {
    const QString fallback = QStringLiteral("dd/MM/yy");
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    QString order;   // "dMy" in the locale's order
    QChar separator; // the first punctuation between two parts
    bool inQuote = false;
    for (qsizetype at = 0; at < format.size(); ++at) {
        const QChar c = format[at];
        if (c == u'\'') {
            inQuote = !inQuote;
            continue;
        }
        if (inQuote)
            continue;
        if (c == u'd' || c == u'M' || c == u'y') {
            qsizetype run = 1;
            while (at + run < format.size() && format[at + run] == c)
                ++run;
            // A month or day by name ("MMM", "ddd") has no numeric place.
            if ((c != u'y' && run > 2) || order.contains(c))
                return fallback;
            order += c;
            at += run - 1;
        } else if (separator.isNull() && !order.isEmpty() && !c.isSpace() && !c.isLetter()) {
            separator = c;
        } else if (c.isLetter()) {
            return fallback; // weekday, era or anything else that is not a plain date
        }
    }
    if (order.size() != 3)
        return fallback;
    if (separator.isNull())
        separator = u'/';
    QStringList parts;
    for (const QChar c : order)
        parts << QString(2, c);
    return parts.join(separator);
}
