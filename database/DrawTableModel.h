#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

class TDrawTable;

// The draw table as the grid shows it: row 0 of the table becomes the horizontal header, and
// table row r (1..RowCount-1) is model row r-1. Read-only. The table has no signals, so its
// owner calls refresh() after changing it.
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
    const TDrawTable& table_;
};

// Draws the grid's cells without the focus frame of the current cell: a selection is always a
// whole row.
class DrawGridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
