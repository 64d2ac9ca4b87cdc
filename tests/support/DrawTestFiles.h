#pragma once

// Draw-file lines and table snapshots shared by the draw-file, draw-table and database tests.

#include "database/DrawTable.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace testfiles {

// One draw of a pick-6 game with bonus, and an empty row, each without its CR.
inline const QByteArray DrawLine =
    "\" 06/12/97\",\"  03\",\"  17\",\"  22\",\"  31\",\"  40\",\"  45\",\"\",\"  12\",\"\"";
inline const QByteArray EmptyLine = "\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"";

// The cells DrawLine reads into.
inline QStringList drawCells() {
    return {" 06/12/97", "  03", "  17", "  22", "  31", "  40", "  45", "", "  12", ""};
}

// DrawLine `count` times, each followed by `end`.
inline QByteArray repeatedDrawLine(int count, const QByteArray& end) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += DrawLine + end;
    return bytes;
}

// A pick-6-with-bonus table holding DrawLine's draw in row 1.
inline TDrawTable sampleTable() {
    TDrawTable table;
    table.SetHeader(6, true);
    const QStringList cells = drawCells();
    for (int column = 0; column < TDrawTable::ColCount; ++column)
        table.SetCellText(column, 1, cells[column]);
    return table;
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
