#pragma once

#include <QLocale>
#include <QString>

// A count as every message of ours writes it: thousands grouped with commas ("3,622"),
// whatever the system's language, so that texts read alike and scripts can rely on them.
inline QString groupedCount(qint64 count) {
    return QLocale(QLocale::English).toString(count);
}
