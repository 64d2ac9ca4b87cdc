#pragma once

#include <QLocale>
#include <QString>

// A count as every message of ours writes it: thousands grouped with commas ("3,622"),
// whatever the system's language, so that texts read alike and scripts can rely on them.
inline QString groupedCount(qint64 count) {
    return QLocale(QLocale::English).toString(count);
}

// "1 line", "426,958 lines".
inline QString countedLines(qint64 count) {
    return count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(groupedCount(count));
}
