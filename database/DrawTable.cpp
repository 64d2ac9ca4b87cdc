#include "DrawTable.h"

#include "DrawFile.h"

namespace {

// The value of a number cell ("  07"), or -1 for any other text.
int numberCellValue(const QString& text) {
    if (text.size() != 4 || text[0] != u' ' || text[1] != u' ')
        return -1;
    const char16_t tens = text[2].unicode();
    const char16_t ones = text[3].unicode();
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
        return -1;
    return (tens - u'0') * 10 + (ones - u'0');
}

} // namespace

TDrawTable::Row::Row(const Row& other)
    : kinds(other.kinds), date(other.date),
      others(other.others ? std::make_unique<std::array<QString, ColCount>>(*other.others)
                          : nullptr) {}

TDrawTable::Row& TDrawTable::Row::operator=(const Row& other) {
    if (this != &other)
        *this = Row(other);
    return *this;
}

TDrawTable::TDrawTable() : rows_(MinRowCount) {}

QString TDrawTable::NumberCellText(int value) {
    static const auto texts = [] {
        std::array<std::array<char16_t, 4>, 100> all{};
        for (int n = 0; n < 100; ++n)
            all[size_t(n)] = {u' ', u' ', char16_t(u'0' + n / 10), char16_t(u'0' + n % 10)};
        return all;
    }();
    if (value < 0 || value > 99)
        return {};
    return QString::fromRawData(reinterpret_cast<const QChar*>(texts[size_t(value)].data()), 4);
}

QString TDrawTable::CellText(int column, int row) const {
    if (column < 0 || column >= ColCount || row < 0 || row >= RowCount())
        return {};
    const Row& cells = rows_[size_t(row)];
    const quint8 kind = cells.kinds[size_t(column)];
    if (kind == Empty)
        return {};
    if (kind != Text)
        return NumberCellText(kind - 1);
    if (column == 0)
        return cells.date;
    return cells.others ? (*cells.others)[size_t(column)] : QString();
}

void TDrawTable::SetCellText(int column, int row, const QString& text) {
    if (column < 0 || column >= ColCount || row < 0 || row >= RowCount())
        return;
    Row& cells = rows_[size_t(row)];
    const int number = numberCellValue(text);
    const bool isText = number < 0 && !text.isEmpty();
    cells.kinds[size_t(column)] = isText       ? quint8(Text)
                                  : number < 0 ? quint8(Empty)
                                               : quint8(number + 1);
    if (column == 0) {
        cells.date = isText ? text : QString();
    } else if (isText) {
        if (!cells.others)
            cells.others = std::make_unique<std::array<QString, ColCount>>();
        (*cells.others)[size_t(column)] = text;
    } else if (cells.others) {
        (*cells.others)[size_t(column)] = QString();
    }
}

void TDrawTable::SetRowCount(int count) {
    rows_.resize(size_t(qMax(1, count)));
}

void TDrawTable::ClearRows() {
    for (size_t row = 1; row < rows_.size(); ++row)
        rows_[row] = Row();
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
    if (rows_.size() < 2 || rows_[1].kinds[0] == Empty)
        return 0;
    int count = 0;
    for (size_t row = 1; row < rows_.size(); ++row) {
        if (rows_[row].kinds[0] != Empty)
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
