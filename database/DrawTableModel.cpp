#include "DrawTableModel.h"

#include "DrawTable.h"

#include <QGuiApplication>
#include <QPalette>

DrawTableModel::DrawTableModel(const TDrawTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int DrawTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : qMax(0, table_.RowCount() - 1);
}

int DrawTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TDrawTable::ColCount;
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    // The date column is the grid's fixed column, drawn like the header.
    if (role == Qt::BackgroundRole && index.column() == 0)
        return QGuiApplication::palette().button();
    if (role != Qt::DisplayRole)
        return {};
    // CellText answers "" outside the table, so a view that is behind a change is safe.
    return table_.CellText(index.column(), tableRow(index.row()));
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    return table_.CellText(section, 0);
}

Qt::ItemFlags DrawTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void DrawTableModel::refresh() {
    beginResetModel();
    endResetModel();
}

void DrawGridDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
}
