#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

// The stored draws of the loaded game as a grid of text cells: row 0 holds the headers, each
// further row one draw (date in column 0, numbers in 1..7, bonus or first extra number in 8;
// column 9 holds a second extra number and is otherwise empty).
// An empty string is an empty cell.
class TDrawTable {
public:
    static constexpr int ColCount = 10;
    static constexpr int MinRowCount = 15;

    TDrawTable();

    // "" for an empty cell and for any cell outside the table.
    QString CellText(int column, int row) const;
    // Cells outside the table are ignored.
    void SetCellText(int column, int row, const QString& text);
    // The same for text of Latin-1 characters, without a string being made of it first.
    void SetCellText(int column, int row, QLatin1String text);
    // The same for the number cell of `value` (0..99; NumberCellText).
    void SetCellNumber(int column, int row, int value);

    int RowCount() const { return int(rows_.size()); }
    // Growing adds empty rows at the end, shrinking drops rows at the end; never below one row.
    void SetRowCount(int count);
    // Empties every cell of rows 1..RowCount-1; the header row stays.
    void ClearRows();
    // Writes row 0 for a game of `pick` numbers (1..7; other values leave the header as it was)
    // with a bonus or with `extras` (1 or 2) numbers from a second drum: the first in the
    // bonus column 8, the second in column 9.
    void SetHeader(int pick, bool bonus, int extras = 0);
    // Requires 1 <= row < RowCount: later rows move up and RowCount drops by one.
    void DeleteRow(int row);
    // The draws are the rows holding a date, in table order: an undated row among them (a
    // hand-edited file) is no draw and is skipped by every count and reader.
    bool IsDraw(int row) const;
    int CountDraws() const;
    bool HasDraws() const { return LastDrawRow() > 0; }
    // The row of the last draw, 0 when there is none.
    int LastDrawRow() const;

    // Draw file (one line per data row). LoadRows returns false only when an existing file
    // could not be read; SaveRows returns an empty string or the error text to show.
    bool LoadRows(const QString& fileName);
    QString SaveRows(const QString& fileName) const;

    // The number cell "  00".."  99" of `value` (0..99), as every reader gets it back: its
    // text is static, so neither making nor copying it allocates.
    static QString NumberCellText(int value);

    // Hands a cell's text to `latin1` (a QLatin1String) or to `text` (a const QString&),
    // whichever way it is held, without a string being made of it: the draw file writer's way.
    // Neither is called for an empty cell or a cell outside the table.
    template <typename OnLatin1, typename OnText>
    void VisitCell(int column, int row, OnLatin1&& latin1, OnText&& text) const;

private:
    // Most cells of a draw file are number cells: each is held as one byte. Column 0's text
    // is held in the row itself when it is short Latin-1 text, as every date is; any other
    // text (the header row's, and hand-edited files') in an array the row makes when it first
    // needs it. A draw then takes 32 bytes and no allocation of its own.
    enum CellKind : quint8 { Empty = 0, ShortText = 254, Text = 255 }; // 1..100: number kind-1
    static constexpr int ShortTextSize = 13;
    struct Row {
        std::array<quint8, ColCount> kinds{};
        quint8 shortLength = 0;
        std::array<char, ShortTextSize> shortText{}; // column 0's text when its kind is ShortText
        std::unique_ptr<std::array<QString, ColCount>> texts; // the cells of kind Text

        Row() = default;
        Row(const Row& other);
        Row& operator=(const Row& other);
        Row(Row&&) noexcept = default;
        Row& operator=(Row&&) noexcept = default;
    };
    bool contains(int column, int row) const {
        return column >= 0 && column < ColCount && row >= 0 && row < RowCount();
    }
    static const char* numberCellBytes(int value); // "  07" as 4 Latin-1 bytes
    // Empty or a number cell (`number` < 0 for empty).
    static void setNumber(Row& cells, int column, int number);
    static void setText(Row& cells, int column, const QString& text);

    std::vector<Row> rows_;
};

template <typename OnLatin1, typename OnText>
void TDrawTable::VisitCell(int column, int row, OnLatin1&& latin1, OnText&& text) const {
    if (!contains(column, row))
        return;
    const Row& cells = rows_[size_t(row)];
    const quint8 kind = cells.kinds[size_t(column)];
    if (kind == Empty)
        return;
    if (kind == ShortText)
        latin1(QLatin1String(cells.shortText.data(), cells.shortLength));
    else if (kind == Text)
        text(cells.texts ? (*cells.texts)[size_t(column)] : QString());
    else
        latin1(QLatin1String(numberCellBytes(kind - 1), 4));
}
