#include "DatabaseOps.h"

#include "DatabaseHeader.h"
#include "DrawFile.h"
#include "DrawTable.h"
#include "app/LotteryState.h"

#include <QFileInfo>

#include <limits>

namespace {

constexpr int BonusColumn = 8;
constexpr int LastFixedRow = 14; // rows 1..14 always exist

int pickColumns(const TLotteryState& state) {
    return qBound(0, state.DataPick, 7);
}

QString lastDrawDate(const TLotteryState& state, const TDrawTable& table) {
    if (table.CellText(0, 1).isEmpty() || state.DataTotalDraws < 1)
        return {};
    return table.CellText(0, state.DataTotalDraws);
}

void writeEntry(const DrawEntry& entry, int row, const TLotteryState& state, TDrawTable& table) {
    table.SetCellText(0, row, drawDateCell(entry.date));
    for (int column = 1; column <= pickColumns(state); ++column)
        table.SetCellText(column, row, drawNumberCell(entry.numbers.value(column - 1)));
    if (state.DataBonus)
        table.SetCellText(BonusColumn, row, drawNumberCell(entry.bonus));
}

QString saveDraws(const QString& headerPath, const TLotteryState& state, const TDrawTable& table) {
    return table.SaveRows(drawFilePath(headerPath, state.DataName));
}

// Row for a new draw: after the stored ones. A hand-edited file may leave gaps; a new draw
// then fills the first free row rather than overwriting a stored one.
int appendRow(TDrawTable& table) {
    if (table.RowCount() < TDrawTable::MinRowCount)
        table.SetRowCount(TDrawTable::MinRowCount);
    if (!table.CellText(0, LastFixedRow).isEmpty())
        table.SetRowCount(table.RowCount() + 1);
    if (table.RowCount() > LastFixedRow + 1) {
        if (!table.CellText(0, table.RowCount() - 1).isEmpty())
            table.SetRowCount(table.RowCount() + 1);
        return table.RowCount() - 1;
    }
    int row = 1;
    while (row < LastFixedRow && !table.CellText(0, row).isEmpty())
        ++row;
    return row;
}

// Why a stored draw cannot be changed: an unusable database name, or no draw in `row`.
QString storedRowError(const TLotteryState& state, const TDrawTable& table, int row) {
    const QString nameError = databaseNameError(state.DataName);
    if (!nameError.isEmpty())
        return nameError;
    return row < 1 || table.CellText(0, row).isEmpty() ? emptyLineText() : QString();
}

} // namespace

DatabaseOpenResult openDatabase(const QString& headerPath, TLotteryState& state,
                                TDrawTable& table) {
    DatabaseOpenResult result;
    result.headerFound = QFileInfo::exists(headerPath);
    const DatabaseHeader header = readDatabaseHeader(headerPath, headerOf(state));
    result.error = databaseNameError(header.name);
    if (!result.error.isEmpty())
        return result;

    // Load into a copy so that a refused file leaves the loaded database as it was.
    TDrawTable loaded;
    for (int column = 0; column < TDrawTable::ColCount; ++column)
        loaded.SetCellText(column, 0, table.CellText(column, 0));
    loaded.SetHeader(header.pick, header.bonus);
    result.error = loadDrawFile(drawFilePath(headerPath, header.name), loaded);
    if (!result.error.isEmpty())
        return result;

    applyHeader(header, state);
    state.DatabaseLoaded = true;
    table = std::move(loaded);
    state.DataTotalDraws = table.CountDraws();
    state.DataLastDraw = lastDrawDate(state, table);
    return result;
}

void startEmptyDatabase(TLotteryState& state, TDrawTable& table) {
    state.DatabaseLoaded = true;
    table.ClearRows();
    table.SetRowCount(TDrawTable::MinRowCount);
    table.SetHeader(state.DataPick, state.DataBonus);
    state.DataTotalDraws = 0;
    state.DataLastDraw.clear();
}

DrawChangeResult appendDraw(const QString& headerPath, const DrawEntry& entry, TLotteryState& state,
                            TDrawTable& table) {
    DrawChangeResult result;
    result.error = databaseNameError(state.DataName);
    if (!result.error.isEmpty())
        return result;
    result.row = appendRow(table);
    writeEntry(entry, result.row, state, table);
    result.changed = true;
    if (state.DataTotalDraws < std::numeric_limits<int>::max())
        ++state.DataTotalDraws;
    state.DataLastDraw = table.CellText(0, result.row);
    result.error = saveDraws(headerPath, state, table);
    return result;
}

DrawChangeResult replaceDraw(const QString& headerPath, int row, const DrawEntry& entry,
                             TLotteryState& state, TDrawTable& table) {
    DrawChangeResult result;
    result.row = row;
    result.error = storedRowError(state, table, row);
    if (!result.error.isEmpty())
        return result;
    writeEntry(entry, row, state, table);
    result.changed = true;
    // The last draw's date is shown as such: it follows an edit of that row.
    if (row == state.DataTotalDraws)
        state.DataLastDraw = lastDrawDate(state, table);
    result.error = saveDraws(headerPath, state, table);
    return result;
}

DrawChangeResult deleteDraw(const QString& headerPath, int row, TLotteryState& state,
                            TDrawTable& table) {
    DrawChangeResult result;
    result.row = row;
    result.error = storedRowError(state, table, row);
    if (!result.error.isEmpty())
        return result;
    table.DeleteRow(row);
    if (table.RowCount() < TDrawTable::MinRowCount)
        table.SetRowCount(TDrawTable::MinRowCount);
    result.changed = true;
    state.DataTotalDraws = qMax(0, state.DataTotalDraws - 1);
    state.DataLastDraw = lastDrawDate(state, table);
    result.error = saveDraws(headerPath, state, table);
    return result;
}

QString emptyLineText() {
    return QStringLiteral("This is an empty line");
}

QString drawDateCell(const QString& typed) {
    return u' ' + typed;
}

QString drawNumberCell(const QString& typed) {
    return typed.size() == 1 ? QStringLiteral("  0") + typed : QStringLiteral("  ") + typed;
}

bool drawCellNumber(const QString& cell, int* value) {
    qsizetype at = 0;
    while (at < cell.size() && cell[at] == u' ')
        ++at;
    bool negative = false;
    if (at < cell.size() && (cell[at] == u'-' || cell[at] == u'+')) {
        negative = cell[at] == u'-';
        ++at;
    }
    if (at == cell.size())
        return false;
    qint64 number = 0;
    for (; at < cell.size(); ++at) {
        const char16_t c = cell[at].unicode();
        if (c < u'0' || c > u'9')
            return false;
        number = number * 10 + (c - u'0');
        if (number > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        number = -number;
    if (number > std::numeric_limits<int>::max() || number < std::numeric_limits<int>::min())
        return false;
    if (value)
        *value = int(number);
    return true;
}
