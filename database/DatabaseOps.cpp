#include "DatabaseOps.h"

#include "platform/ProfileFile.h"

#include "DatabaseHeader.h"
#include "DrawFile.h"
#include "DrawFilePreload.h"
#include "DrawTable.h"
#include "games/RulesSection.h"
#include "state/LotteryState.h"

#include <QFileInfo>

#include <limits>

namespace {

constexpr int BonusColumn = 8;
constexpr int LastFixedRow = 14; // rows 1..14 always exist

int pickColumns(const TLotteryState& state) {
    return qBound(0, state.DataPick, 7);
}

void writeEntry(const DrawEntry& entry, int row, const TLotteryState& state, TDrawTable& table) {
    table.SetCellText(0, row, drawDateCell(entry.date));
    for (int column = 1; column <= pickColumns(state); ++column)
        table.SetCellText(column, row, drawNumberCell(entry.numbers.value(column - 1)));
    if (state.DataBonus)
        table.SetCellText(BonusColumn, row, drawNumberCell(entry.bonus));
}

// Row for a new draw: the one after the last stored draw. With the table kept as saved this is
// where it has always gone (row 15 of a 16-row table after 14 draws); in a hand-edited
// file with empty rows among or after the draws, it still becomes the last draw.
int appendRow(TDrawTable& table) {
    const int row = table.LastDrawRow() + 1;
    const int rowCount =
        qMax(TDrawTable::MinRowCount, row > LastFixedRow ? row + 1 : TDrawTable::MinRowCount);
    if (table.RowCount() < rowCount)
        table.SetRowCount(rowCount);
    return row;
}

// Why a stored draw cannot be changed: an unusable database name, or no draw in `row`.
QString storedRowError(const TLotteryState& state, const TDrawTable& table, int row) {
    const QString nameError = databaseNameError(state.DataName);
    if (!nameError.isEmpty())
        return nameError;
    return table.IsDraw(row) ? QString() : emptyLineText();
}

} // namespace

DatabaseOpenResult openDatabase(const QString& headerPath, TLotteryState& state, TDrawTable& table,
                                DrawFilePreload* preload) {
    return openDatabase(ProfileFile(headerPath), state, table, preload);
}

DatabaseOpenResult openDatabase(const ProfileFile& headerFile, TLotteryState& state,
                                TDrawTable& table, DrawFilePreload* preload) {
    DatabaseOpenResult result;
    const QString headerPath = headerFile.path();
    result.headerFound = headerFile.exists();
    const DatabaseHeader header = readDatabaseHeader(headerFile, headerOf(state), &result.error);
    if (result.error.isEmpty())
        result.error = databaseNameError(header.name);
    if (!result.error.isEmpty())
        return result;

    // Load into a copy so that a refused file leaves the loaded database as it was.
    TDrawTable loaded;
    const QString drawPath = drawFilePath(headerPath, header.name);
    if (!preload || !preload->take(drawPath, loaded, &result.error))
        result.error = loadDrawFile(drawPath, loaded);
    for (int column = 0; column < TDrawTable::ColCount; ++column)
        loaded.SetCellText(column, 0, table.CellText(column, 0));
    loaded.SetHeader(header.pick, header.bonus);
    if (!result.error.isEmpty())
        return result;

    RulesReadResult rules = readGameRules(headerPath, header.pick, header.bonus);
    if (!rules.problem.isEmpty())
        result.rulesWarning = unusableRulesText(rules.problem);

    applyHeader(header, state);
    state.DataRules = std::move(rules.rules);
    state.DatabaseLoaded = true;
    state.DataHeaderPath = headerPath;
    table = std::move(loaded);
    updateDrawTotals(state, table);
    return result;
}

void startEmptyDatabase(const QString& headerPath, TLotteryState& state, TDrawTable& table) {
    state.DatabaseLoaded = true;
    state.DataHeaderPath = headerPath;
    table.ClearRows();
    table.SetRowCount(TDrawTable::MinRowCount);
    table.SetHeader(state.DataPick, state.DataBonus);
    state.DataTotalDraws = 0;
    state.DataLastDraw.clear();
    // A header written over an older one keeps that one's [Rules] section: the state follows
    // the file.
    state.DataRules = readGameRules(headerPath, state.DataPick, state.DataBonus).rules;
}

void updateDrawTotals(TLotteryState& state, const TDrawTable& table) {
    state.DataTotalDraws = table.CountDraws();
    const int last = table.LastDrawRow();
    state.DataLastDraw = last > 0 ? table.CellText(0, last) : QString();
}

QString saveLoadedDraws(const TLotteryState& state, const TDrawTable& table) {
    return table.SaveRows(drawFilePath(state.DataHeaderPath, state.DataName));
}

DrawChangeResult appendDraw(const DrawEntry& entry, TLotteryState& state, TDrawTable& table) {
    DrawChangeResult result;
    result.error = databaseNameError(state.DataName);
    if (!result.error.isEmpty())
        return result;
    result.row = appendRow(table);
    writeEntry(entry, result.row, state, table);
    result.changed = true;
    updateDrawTotals(state, table);
    result.error = saveLoadedDraws(state, table);
    return result;
}

DrawChangeResult replaceDraw(int row, const DrawEntry& entry, TLotteryState& state,
                             TDrawTable& table) {
    DrawChangeResult result;
    result.row = row;
    result.error = storedRowError(state, table, row);
    if (!result.error.isEmpty())
        return result;
    writeEntry(entry, row, state, table);
    result.changed = true;
    // The last draw's date is shown as such: it follows an edit of that row.
    updateDrawTotals(state, table);
    result.error = saveLoadedDraws(state, table);
    return result;
}

DrawChangeResult deleteDraw(int row, TLotteryState& state, TDrawTable& table) {
    DrawChangeResult result;
    result.row = row;
    result.error = storedRowError(state, table, row);
    if (!result.error.isEmpty())
        return result;
    table.DeleteRow(row);
    if (table.RowCount() < TDrawTable::MinRowCount)
        table.SetRowCount(TDrawTable::MinRowCount);
    result.changed = true;
    updateDrawTotals(state, table);
    result.error = saveLoadedDraws(state, table);
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
