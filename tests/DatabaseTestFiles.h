#pragma once

// Helpers shared by the draw-file and database tests: file contents and table snapshots.

#include "database/DrawTable.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QStringList>

namespace testfiles {

// One draw of a pick-6 game with bonus, and an empty row, each without its CR.
inline const QByteArray DrawLine =
    "\" 06/12/97\",\"  03\",\"  17\",\"  22\",\"  31\",\"  40\",\"  45\",\"\",\"  12\",\"\"";
inline const QByteArray EmptyLine = "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"";

inline QStringList drawCells() {
    return {" 06/12/97", "  03", "  17", "  22", "  31", "  40", "  45", "", "  12", ""};
}

inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                  QDir::Name);
}

inline QStringList rowCells(const TDrawTable& table, int row) {
    QStringList cells;
    for (int column = 0; column < TDrawTable::ColCount; ++column)
        cells << table.CellText(column, row);
    return cells;
}

inline QList<QStringList> cellsOf(const TDrawTable& table) {
    QList<QStringList> rows;
    for (int row = 0; row < table.RowCount(); ++row)
        rows << rowCells(table, row);
    return rows;
}

} // namespace testfiles
