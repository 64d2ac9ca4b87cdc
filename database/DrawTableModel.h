#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStyledItemDelegate>

class TDrawTable;

// The draw table as the grid shows it: row 0 of the table becomes the horizontal header, and
// table row r (1..RowCount-1) is model row r-1. Of the table's ten columns the grid shows the
// game's own, as its header row names them: the date, the numbers 1..pick and the bonus or the
// extra numbers when the game has them; with no game, every column a draw can fill, and no row can be selected.
// Read-only. The table has no signals, so its owner calls refresh() after changing it.
class DrawTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DrawTableModel(const TDrawTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Shows the table as it is now.
    void refresh();

    static int tableRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int tableRow) { return tableRow - 1; }

private:
    // The table columns the grid shows for `table`'s header row, in order.
    static QList<int> shownColumns(const TDrawTable& table);
    // The header row names a game (it has a caption over number 1).
    static bool namesGame(const TDrawTable& table);
    // The table column shown in model column `modelColumn`.
    int tableColumn(int modelColumn) const { return columns_.value(modelColumn, -1); }

    const TDrawTable& table_;
    QList<int> columns_;
    bool selectable_ = false;
};

// Draws the grid's cells centred without the blanks their stored text is padded with, as the
// header shows its captions, and without the focus frame of the current cell: a selection is
// always a whole row.
class DrawGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
