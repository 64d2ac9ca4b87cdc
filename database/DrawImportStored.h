#pragma once

#include <QDate>

#include <array>
#include <vector>

class DateCellFormat;
struct DrawImportResult;
struct ImportedDraw;
class TDrawTable;

// What the import needs to know of the draws already in the table: where each row's date falls,
// for keeping the table in date order, and which draws are there, for leaving them out.

namespace drawimport {

struct StoredRows {
    int filled = 0;           // rows 1..filled hold something; the rows after them hold nothing
    std::vector<QDate> dates; // of rows 1..filled at 0..filled-1; invalid when not readable
    int firstUndated = 0;     // the first of those rows without a readable date, 0 when none
    QDate latest;             // the latest readable date; invalid when there is none
};
StoredRows readStoredRows(const TDrawTable& table, const DateCellFormat& format);

// A draw as compared for duplicates: its day, its main numbers in ascending order and its
// bonus (0 when none is given). Two draws on one day are two draws.
struct DrawKey {
    static constexpr int NoNumber = 0xFF; // stands for any value that is no drawn number

    // `numbers`: the first `count` (at most 7) count; a value outside 1..99 equals no number.
    DrawKey(const QDate& date, std::array<int, 7> numbers, int count, int bonus);

    qint64 day = 0;
    quint64 numbers = 0; // a byte each from the lowest byte up
    int bonus = 0;       // 0..99, or NoNumber
};

// Draws seen so far. A draw without its bonus equals one with the same day and numbers and any
// bonus, so that a results file without bonus numbers does not add the stored draws again.
// Open addressing in one array: a long history is looked up and added to at every line, and a
// node per draw would cost most of an import's time.
class SeenDraws {
public:
    // Room for `count` draws without growing.
    void reserve(size_t count);
    bool contains(const DrawKey& key) const;
    // Adds `key` unless it is contained already; true when it was added.
    bool add(const DrawKey& key);

private:
    struct Slot;
    static bool matches(const Slot& slot, const DrawKey& key);
    struct Slot {
        qint64 day = 0;
        quint64 numbers = 0;
        std::array<quint64, 2> bonuses{}; // bit b: seen with bonus b; none while the slot is free
        bool used() const { return bonuses[0] != 0 || bonuses[1] != 0; }
    };
    // The slot of a day and numbers, or the free slot where they would go.
    size_t slotOf(qint64 day, quint64 numbers) const;
    void grow(size_t capacity);

    std::vector<Slot> slots_; // a power of two in size, at most half of it used
    size_t used_ = 0;
};

// The draws of rows 1..filled that have a readable date: columns 1..`pick`, and column 8 when
// the game has a bonus.
SeenDraws storedDraws(const TDrawTable& table, const StoredRows& rows, int pick, bool bonus);

// The draw of stored row `row`, dated `date`, as storedDraws() sees it.
DrawKey storedKey(const TDrawTable& table, int row, const QDate& date, int pick, bool bonus);

// A new draw from an address on a day whose stored draws the address does not all give
// (`given`: every draw of the address) contradicts one of those: it is left out of `draws`
// and counted in `result`, so that a changed source never adds a second version of a draw.
void leaveOutContradictions(std::vector<ImportedDraw>& draws, const TDrawTable& table,
                            const StoredRows& rows, const SeenDraws& given, int pick, bool bonus,
                            DrawImportResult& result);

} // namespace drawimport
