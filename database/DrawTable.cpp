#include "DrawTable.h"

#include "DrawFile.h"

// A row that was never written, or was cleared, is held as an empty vector: a file of many
// blank lines then costs one vector header per row instead of ten strings.

TDrawTable::TDrawTable() : rows_(MinRowCount) {}

QString TDrawTable::CellText(int column, int row) const {
    if (column < 0 || column >= ColCount || row < 0 || row >= RowCount())
        return {};
    const Row& cells = rows_[size_t(row)];
    return cells.empty() ? QString() : cells[size_t(column)];
}

void TDrawTable::SetCellText(int column, int row, const QString& text) {
    if (column < 0 || column >= ColCount || row < 0 || row >= RowCount())
        return;
    Row& cells = rows_[size_t(row)];
    if (cells.empty()) {
        if (text.isEmpty())
            return;
        cells.resize(ColCount);
    }
    cells[size_t(column)] = text;
}

void TDrawTable::SetRowCount(int count) {
    rows_.resize(size_t(qMax(1, count)));
}

void TDrawTable::ClearRows() {
    for (size_t row = 1; row < rows_.size(); ++row)
        Row().swap(rows_[row]);
}

void TDrawTable::SetHeader(int pick, bool bonus) {
    if (pick < 1 || pick > 7)
        return;
    SetCellText(0, 0, QStringLiteral("    Date"));
    for (int column = 1; column <= 7; ++column)
        SetCellText(column, 0,
                    column <= pick ? QStringLiteral("   ") + QString::number(column)
                                   : QStringLiteral("    "));
    SetCellText(8, 0, bonus ? QStringLiteral("Bon") : QStringLiteral("   "));
    SetCellText(9, 0, QString());
}

void TDrawTable::DeleteRow(int row) {
    if (row < 1 || row >= RowCount())
        return;
    rows_.erase(rows_.begin() + row);
}

int TDrawTable::CountDraws() const {
    if (CellText(0, 1).isEmpty())
        return 0;
    int count = 0;
    for (size_t row = 1; row < rows_.size(); ++row) {
        if (!rows_[row].empty() && !rows_[row][0].isEmpty())
            ++count;
    }
    return count;
}

bool TDrawTable::LoadRows(const QString& fileName) {
    return loadDrawFile(fileName, *this).isEmpty();
}

QString TDrawTable::SaveRows(const QString& fileName) const {
    return saveDrawFile(fileName, *this);
}
