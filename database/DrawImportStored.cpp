#include "DrawImportStored.h"

#include "DatabaseOps.h"
#include "DrawImportDateCell.h"
#include "DrawTable.h"

#include <algorithm>

namespace drawimport {

namespace {

constexpr int BonusColumn = 8;
constexpr int NoNumber = DrawKey::NoNumber;

int storedNumber(const TDrawTable& table, int column, int row) {
    const QString cell = table.CellText(column, row);
    if (cell.isEmpty())
        return 0;
    int value = 0;
    return drawCellNumber(cell, &value) && value >= 1 && value <= 99 ? value : NoNumber;
}

bool rowIsEmpty(const TDrawTable& table, int row) {
    bool empty = true;
    for (int column = 0; column < TDrawTable::ColCount && empty; ++column)
        table.VisitCell(
            column, row, [&](QLatin1String) { empty = false; },
            [&](const QString&) { empty = false; });
    return empty;
}

} // namespace

StoredRows readStoredRows(const TDrawTable& table, const DateCellFormat& format) {
    StoredRows rows;
    rows.filled = table.RowCount() - 1;
    while (rows.filled >= 1 && rowIsEmpty(table, rows.filled))
        --rows.filled;
    rows.dates.reserve(size_t(qMax(0, rows.filled)));
    for (int row = 1; row <= rows.filled; ++row) {
        const QDate date = format.dateOf(table.CellText(0, row));
        rows.dates.push_back(date);
        if (!date.isValid() && rows.firstUndated == 0)
            rows.firstUndated = row;
        if (date.isValid() && (!rows.latest.isValid() || date > rows.latest))
            rows.latest = date;
    }
    return rows;
}

DrawKey::DrawKey(const QDate& date, std::array<int, 7> numbers, int count, int bonus)
    : day(date.toJulianDay()), bonus(bonus >= 0 && bonus <= 99 ? bonus : NoNumber) {
    count = qBound(0, count, int(numbers.size()));
    for (int k = 0; k < count; ++k) {
        int& number = numbers[size_t(k)];
        number = number >= 1 && number <= 99 ? number : NoNumber;
    }
    std::sort(numbers.begin(), numbers.begin() + count);
    for (int k = 0; k < count; ++k)
        this->numbers |= quint64(numbers[size_t(k)]) << (8 * k);
}

namespace {

// Bonuses 0..99 have a bit each, NoNumber the last.
int bonusBit(int bonus) {
    return bonus == NoNumber ? 127 : bonus;
}

bool hasBonus(const std::array<quint64, 2>& bits, int bonus) {
    const int bit = bonusBit(bonus);
    return (bits[size_t(bit / 64)] >> (bit % 64)) & 1;
}

size_t hashOf(qint64 day, quint64 numbers) {
    // splitmix64's finaliser
    quint64 hash = numbers ^ (quint64(day) * 0x9E3779B97F4A7C15ULL);
    hash = (hash ^ (hash >> 30)) * 0xBF58476D1CE4E5B9ULL;
    hash = (hash ^ (hash >> 27)) * 0x94D049BB133111EBULL;
    return size_t(hash ^ (hash >> 31));
}

} // namespace

size_t SeenDraws::slotOf(qint64 day, quint64 numbers) const {
    const size_t mask = slots_.size() - 1;
    size_t at = hashOf(day, numbers) & mask;
    // At most half the slots are used, so a free one comes within their number.
    for (size_t probe = 0; probe < slots_.size(); ++probe, at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (!slot.used() || (slot.day == day && slot.numbers == numbers))
            return at;
    }
    return at;
}

void SeenDraws::grow(size_t capacity) {
    size_t size = 16;
    while (size < 2 * capacity)
        size *= 2;
    if (size <= slots_.size())
        return;
    std::vector<Slot> previous(size);
    previous.swap(slots_);
    for (const Slot& slot : previous) {
        if (slot.used())
            slots_[slotOf(slot.day, slot.numbers)] = slot;
    }
}

void SeenDraws::reserve(size_t count) {
    grow(count);
}

bool SeenDraws::matches(const Slot& slot, const DrawKey& key) {
    return slot.used() &&
           (key.bonus == 0 || hasBonus(slot.bonuses, 0) || hasBonus(slot.bonuses, key.bonus));
}

bool SeenDraws::contains(const DrawKey& key) const {
    return !slots_.empty() && matches(slots_[slotOf(key.day, key.numbers)], key);
}

bool SeenDraws::add(const DrawKey& key) {
    if (2 * (used_ + 1) > slots_.size())
        grow(used_ + 1);
    Slot& slot = slots_[slotOf(key.day, key.numbers)];
    if (matches(slot, key))
        return false;
    if (!slot.used()) {
        slot.day = key.day;
        slot.numbers = key.numbers;
        ++used_;
    }
    const int bit = bonusBit(key.bonus);
    slot.bonuses[size_t(bit / 64)] |= quint64(1) << (bit % 64);
    return true;
}

SeenDraws storedDraws(const TDrawTable& table, const StoredRows& rows, int pick, bool bonus) {
    SeenDraws seen;
    seen.reserve(rows.dates.size());
    for (int row = 1; row <= rows.filled; ++row) {
        const QDate& date = rows.dates[size_t(row - 1)];
        if (!date.isValid())
            continue;
        seen.add(storedKey(table, row, date, pick, bonus));
    }
    return seen;
}

DrawKey storedKey(const TDrawTable& table, int row, const QDate& date, int pick, bool bonus) {
    std::array<int, 7> numbers{};
    for (int column = 1; column <= qBound(0, pick, 7); ++column)
        numbers[size_t(column - 1)] = storedNumber(table, column, row);
    return {date, numbers, pick, bonus ? storedNumber(table, BonusColumn, row) : 0};
}

} // namespace drawimport
