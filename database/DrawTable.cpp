#include "DrawTable.h"

#include "DrawFile.h"

#include <algorithm>
#include <cstring>

namespace {

// The value of a number cell ("  07"), or -1 for any other text.
template <typename Text> int numberCellValue(const Text& text) {
    if (text.size() != 4)
        return -1;
    const auto at = [&text](int i) { return char16_t(text[i].unicode()); };
    if (at(0) != u' ' || at(1) != u' ' || at(2) < u'0' || at(2) > u'9' || at(3) < u'0' ||
        at(3) > u'9')
        return -1;
    return (at(2) - u'0') * 10 + (at(3) - u'0');
}

} // namespace

TDrawTable::Row::Row(const Row& other)
    : kinds(other.kinds), shortLength(other.shortLength), shortText(other.shortText),
      texts(other.texts ? std::make_unique<std::array<QString, ColCount>>(*other.texts) : nullptr) {
}

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

const char* TDrawTable::numberCellBytes(int value) {
    static const auto bytes = [] {
        std::array<std::array<char, 4>, 100> all{};
        for (int n = 0; n < 100; ++n)
            all[size_t(n)] = {' ', ' ', char('0' + n / 10), char('0' + n % 10)};
        return all;
    }();
    return bytes[size_t(value)].data();
}

QString TDrawTable::CellText(int column, int row) const {
    if (!contains(column, row))
        return {};
    const Row& cells = rows_[size_t(row)];
    switch (const quint8 kind = cells.kinds[size_t(column)]) {
    case Empty:
        return {};
    case ShortText:
        return QString::fromLatin1(cells.shortText.data(), cells.shortLength);
    case Text:
        return cells.texts ? (*cells.texts)[size_t(column)] : QString();
    default:
        return NumberCellText(kind - 1);
    }
}

void TDrawTable::SetCellText(int column, int row, const QString& text) {
    // Empty cells, numbers and dates are short Latin-1 text: they all take the one path below.
    if (text.size() <= ShortTextSize &&
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; })) {
        std::array<char, ShortTextSize> bytes;
        std::transform(text.cbegin(), text.cend(), bytes.begin(),
                       [](QChar c) { return char(c.unicode()); });
        SetCellText(column, row, QLatin1String(bytes.data(), text.size()));
    } else if (contains(column, row)) {
        setText(rows_[size_t(row)], column, text);
    }
}

void TDrawTable::SetCellText(int column, int row, QLatin1String text) {
    if (!contains(column, row))
        return;
    Row& cells = rows_[size_t(row)];
    const int number = numberCellValue(text);
    if (number >= 0 || text.isEmpty()) {
        setNumber(cells, column, number);
        return;
    }
    if (column != 0 || text.size() > ShortTextSize) {
        setText(cells, column, QString(text));
        return;
    }
    setNumber(cells, column, -1); // lets go of any text held before
    cells.kinds[0] = ShortText;
    cells.shortLength = quint8(text.size());
    std::memcpy(cells.shortText.data(), text.data(), size_t(text.size()));
}

void TDrawTable::SetCellNumber(int column, int row, int value) {
    if (!contains(column, row) || value < 0 || value > 99)
        return;
    setNumber(rows_[size_t(row)], column, value);
}

void TDrawTable::setNumber(Row& cells, int column, int number) {
    cells.kinds[size_t(column)] = number < 0 ? quint8(Empty) : quint8(number + 1);
    if (cells.texts)
        (*cells.texts)[size_t(column)] = QString();
}

void TDrawTable::setText(Row& cells, int column, const QString& text) {
    cells.kinds[size_t(column)] = Text;
    if (!cells.texts)
        cells.texts = std::make_unique<std::array<QString, ColCount>>();
    (*cells.texts)[size_t(column)] = text;
}

void TDrawTable::SetRowCount(int count) {
    rows_.resize(size_t(qMax(1, count)));
}

void TDrawTable::ClearRows() {
    for (size_t row = 1; row < rows_.size(); ++row)
        rows_[row] = Row();
}

void TDrawTable::SetHeader(int pick, bool bonus, int extras) {
    if (pick < 1 || pick > 7)
        return;
    SetCellText(0, 0, QStringLiteral("    Date"));
    for (int column = 1; column <= 7; ++column)
        SetCellText(column, 0,
                    column <= pick ? QStringLiteral("   ") + QString::number(column)
                                   : QStringLiteral("    "));
    const QString first = extras >= 2 ? QStringLiteral("Ex1") : QStringLiteral("Ext");
    SetCellText(8, 0, bonus ? QStringLiteral("Bon") : extras > 0 ? first : QStringLiteral("   "));
    SetCellText(9, 0, !bonus && extras >= 2 ? QStringLiteral("Ex2") : QString());
}

void TDrawTable::DeleteRow(int row) {
    if (row < 1 || row >= RowCount())
        return;
    rows_.erase(rows_.begin() + row);
}

bool TDrawTable::IsDraw(int row) const {
    return row >= 1 && row < RowCount() && rows_[size_t(row)].kinds[0] != Empty;
}

int TDrawTable::CountDraws() const {
    int count = 0;
    for (int row = 1; row < RowCount(); ++row)
        count += IsDraw(row);
    return count;
}

int TDrawTable::LastDrawRow() const {
    int row = RowCount() - 1;
    while (row > 0 && !IsDraw(row))
        --row;
    return row;
}

bool TDrawTable::LoadRows(const QString& fileName) {
    return loadDrawFile(fileName, *this).isEmpty();
}

QString TDrawTable::SaveRows(const QString& fileName) const {
    return saveDrawFile(fileName, *this);
}
