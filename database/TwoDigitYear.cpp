#include "TwoDigitYear.h"

#include <QDate>
#include <QRegularExpression>

namespace {

// The pattern `format` writes, with the two-digit year's digits captured as "year"; `yearAt`
// is where the year's letters stand in `format`. Empty when the format has no such year or
// holds letters whose text we cannot match (QDate then reads the text as before).
QString yearPattern(const QString& format, qsizetype* yearAt) {
    QString pattern = QStringLiteral("^");
    bool haveYear = false;
    for (qsizetype at = 0; at < format.size();) {
        const QChar c = format[at];
        if (c == u'\'') { // quoted text; '' is a quote of its own
            const qsizetype close = format.indexOf(u'\'', at + 1);
            if (close < 0)
                return {};
            const QString quoted = close == at + 1 ? QStringLiteral("'") : format.mid(at + 1, close - at - 1);
            pattern += QRegularExpression::escape(quoted);
            at = close + 1;
            continue;
        }
        qsizetype run = 1;
        while (at + run < format.size() && format[at + run] == c)
            ++run;
        if (c == u'y' && run == 2) {
            if (haveYear)
                return {};
            haveYear = true;
            *yearAt = at;
            pattern += QStringLiteral("(?<year>\\d{2})");
        } else if (c == u'y' && run == 4) {
            pattern += QStringLiteral("\\d{4}");
        } else if ((c == u'd' || c == u'M') && run <= 2) {
            pattern += run == 1 ? QStringLiteral("\\d{1,2}") : QStringLiteral("\\d{2}");
        } else if ((c == u'd' || c == u'M') && run <= 4) {
            pattern += QStringLiteral("\\p{L}+\\.?"); // a day or month name
        } else if (c.isLetter()) {
            return {};
        } else {
            pattern += QRegularExpression::escape(QString(run, c));
        }
        at += run;
    }
    return haveYear ? pattern + u'$' : QString();
}

} // namespace

QDate readDateInFormat(const QString& text, const QString& format) {
    qsizetype yearAt = -1;
    const QString pattern = yearPattern(format, &yearAt);
    if (pattern.isEmpty())
        return QDate::fromString(text, format);
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    if (!match.hasMatch())
        return QDate();
    // The same text and format with the year written out in full.
    const int year = yearFromTwoDigits(match.captured(u"year").toInt());
    QString fullText = text;
    fullText.replace(match.capturedStart(u"year"), 2, QString::number(year));
    QString fullFormat = format;
    fullFormat.replace(yearAt, 2, QStringLiteral("yyyy"));
    return QDate::fromString(fullText, fullFormat);
}
