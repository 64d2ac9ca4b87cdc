#include "DrawImport.h"

#include "DatabaseHeader.h"
#include "DatabaseOps.h"
#include "DrawFile.h"
#include "DrawImportDateCell.h"
#include "DrawImportStored.h"
#include "DrawTable.h"
#include "state/LotteryState.h"

#include <utility>

namespace {

constexpr int BonusColumn = 8;

void writeDraw(TDrawTable& table, int row, const ImportedDraw& draw, int pick) {
    table.SetCellText(0, row, draw.dateCell);
    for (int column = 1; column <= pick; ++column)
        table.SetCellNumber(column, row, draw.numbers[size_t(column - 1)]);
    if (draw.bonus > 0)
        table.SetCellNumber(BonusColumn, row, draw.bonus);
    if (draw.secondExtra > 0)
        table.SetCellNumber(BonusColumn + 1, row, draw.secondExtra);
}

// All ten cells, held the same way as in `from`.
void copyRow(const TDrawTable& from, int fromRow, TDrawTable& to, int toRow) {
    for (int column = 0; column < TDrawTable::ColCount; ++column)
        from.VisitCell(
            column, fromRow, [&](QLatin1String text) { to.SetCellText(column, toRow, text); },
            [&](const QString& text) { to.SetCellText(column, toRow, text); });
}

// The stored rows and the new draws by date: a new draw goes before the first stored row of a
// later date, so stored rows keep their order and come first among those of one day.
TDrawTable mergedTable(const TDrawTable& table, const drawimport::StoredRows& stored,
                       const std::vector<ImportedDraw>& draws, int pick) {
    TDrawTable merged;
    const int rows = stored.filled + int(draws.size());
    merged.SetRowCount(qMax(table.RowCount(), rows + 1));
    copyRow(table, 0, merged, 0);
    int storedRow = 1;
    size_t next = 0;
    for (int row = 1; row <= rows; ++row) {
        const bool newDraw =
            storedRow > stored.filled ||
            (next < draws.size() && draws[next].date < stored.dates[size_t(storedRow - 1)]);
        if (newDraw)
            writeDraw(merged, row, draws[next++], pick);
        else
            copyRow(table, storedRow++, merged, row);
    }
    return merged;
}

} // namespace

void applyDrawImport(DrawImport& import, TLotteryState& state, TDrawTable& table) {
    DrawImportResult& result = import.result;
    if (!result.error.isEmpty() || import.draws.empty())
        return;
    result.error = databaseNameError(state.DataName);
    if (!result.error.isEmpty())
        return;
    const drawimport::StoredRows stored =
        drawimport::readStoredRows(table, DateCellFormat(import.shortDateFormat));
    const int start = stored.filled + 1;
    const qint64 count = qint64(import.draws.size());
    // A draw file longer than the loader accepts would lose the whole database at next start.
    if (start + count > MaxDrawRowCount) {
        result.error = drawFileTooLargeText();
        return;
    }

    const int pick = qBound(0, state.DataPick, TLotteryState::MaxPick);
    const bool inOrder = !stored.latest.isValid() || !(import.draws.front().date < stored.latest);
    const bool merge = !inOrder && stored.firstUndated == 0;
    if (!inOrder && !merge)
        result.undatedRow = stored.firstUndated;
    const int oldRowCount = table.RowCount();
    const int oldTotal = state.DataTotalDraws;
    const QString oldLast = state.DataLastDraw;
    TDrawTable before; // the table as it was, kept for a merge only
    if (merge) {
        before = mergedTable(table, stored, import.draws, pick);
        std::swap(table, before);
    } else {
        table.SetRowCount(qMax(oldRowCount, int(start + count)));
        int row = start;
        for (const ImportedDraw& draw : import.draws)
            writeDraw(table, row++, draw, pick);
    }
    updateDrawTotals(state, table);

    result.error = saveLoadedDraws(state, table);
    if (!result.error.isEmpty()) {
        if (merge) {
            std::swap(table, before);
        } else {
            // Rows from `start` on held nothing before: dropping and re-adding them restores them.
            table.SetRowCount(start);
            table.SetRowCount(oldRowCount);
        }
        state.DataTotalDraws = oldTotal;
        state.DataLastDraw = oldLast;
        result.undatedRow = 0;
        return;
    }
    result.added = int(count);
    result.firstDate = import.draws.front().dateCell.mid(1);
    result.lastDate = import.draws.back().dateCell.mid(1);
}
