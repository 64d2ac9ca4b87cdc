#pragma once

// The real published history the benchmarks run on: "Month D, YYYY",n1,...,n6,bonus per line
// after a heading line, read into a pick-6-with-bonus table.

#include "database/DrawTable.h"

#include <QFile>
#include <QStringList>
#include <algorithm>

inline int loadHistory(const QString& path, TDrawTable& table) {
    table.SetHeader(6, true);
    QFile csv(path);
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    csv.readLine();
    int draws = 0;
    while (!csv.atEnd()) {
        const QString line = QString::fromUtf8(csv.readLine()).trimmed();
        const QStringList fields = line.section(u'"', 2).split(u',', Qt::SkipEmptyParts);
        if (fields.size() < 7)
            continue;
        table.SetRowCount(std::max(TDrawTable::MinRowCount, ++draws + 1));
        table.SetCellText(0, draws, QLatin1Char(' ') + line.section(u'"', 1, 1));
        for (int k = 0; k < 7; ++k)
            table.SetCellNumber(k < 6 ? k + 1 : 8, draws, fields[k].toInt());
    }
    return draws;
}
