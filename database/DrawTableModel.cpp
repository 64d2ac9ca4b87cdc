#include "DrawTableModel.h"

#include "DrawTable.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr int DateColumn = 0;
constexpr int FirstNumberColumn = 1;
constexpr int LastNumberColumn = 7;
constexpr int BonusColumn = 8;
constexpr int SecondExtraColumn = 9;

// The header row writes a blank caption over a column the game does not use.
bool named(const TDrawTable& table, int column) {
    return !table.CellText(column, 0).trimmed().isEmpty();
}

} // namespace

DrawTableModel::DrawTableModel(const TDrawTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table), columns_(shownColumns(table)),
      selectable_(namesGame(table)) {}

bool DrawTableModel::namesGame(const TDrawTable& table) {
    return named(table, FirstNumberColumn);
}

QList<int> DrawTableModel::shownColumns(const TDrawTable& table) {
    QList<int> columns{DateColumn};
    if (!namesGame(table)) {
        // No game yet: the grid stands ready with every column a draw can fill.
        for (int column = FirstNumberColumn; column <= BonusColumn; ++column)
            columns << column;
        return columns;
    }
    for (int column = FirstNumberColumn; column <= LastNumberColumn && named(table, column);
         ++column)
        columns << column;
    if (named(table, BonusColumn))
        columns << BonusColumn;
    if (named(table, SecondExtraColumn))
        columns << SecondExtraColumn;
    return columns;
}

int DrawTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : qMax(0, table_.RowCount() - 1);
}

int DrawTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DrawTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    // The date column is the grid's fixed column, drawn like the header.
    if (role == Qt::BackgroundRole && tableColumn(index.column()) == DateColumn)
        return QGuiApplication::palette().button();
    if (role != Qt::DisplayRole)
        return {};
    // CellText answers "" outside the table, so a view that is behind a change is safe.
    return table_.CellText(tableColumn(index.column()), tableRow(index.row()));
}

QVariant DrawTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    // Centred, as the cells below it: the blanks that placed a caption in the row go.
    return table_.CellText(tableColumn(section), 0).trimmed();
}

Qt::ItemFlags DrawTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Before there is a game, no row of the empty grid stands out as chosen.
    return selectable_ ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::ItemIsEnabled;
}

void DrawTableModel::refresh() {
    beginResetModel();
    columns_ = shownColumns(table_);
    selectable_ = namesGame(table_);
    endResetModel();
}

void DrawGridDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = option->text.trimmed();
    option->displayAlignment = Qt::AlignCenter;
    option->state &= ~QStyle::State_HasFocus;
}
