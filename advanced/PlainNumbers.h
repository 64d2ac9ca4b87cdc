#pragma once

#include <QLocale>
#include <QString>

// Figures as a player reads them: thousands grouped with commas, whatever the system's locale,
// so saved reports read the same everywhere.
inline QString groupedCount(qint64 value) {
    return QLocale(QLocale::English).toString(value);
}

// A figure already in text ("17700", "0.00715", "1770.5"): its whole part grouped.
inline QString groupedFigure(const QString& figure) {
    const qsizetype point = figure.indexOf(u'.');
    QString whole = point < 0 ? figure : figure.left(point);
    const qsizetype digitsFrom = whole.startsWith(u'-') ? 1 : 0;
    for (qsizetype i = whole.size() - 3; i > digitsFrom; i -= 3)
        whole.insert(i, u',');
    return point < 0 ? whole : whole + figure.mid(point);
}
