#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <vector>

struct TLotteryState;
class TDrawTable;

// Adding the draws of a published results file (CSV or text, as lotteries and fan sites offer
// them) to the loaded database: each line with a date followed by the draw's numbers becomes a
// draw; draws already stored are left out; the table stays in date order and the draw file is
// saved once, whole or not at all.

// How a numeric date such as "06/12/97" reads when the file never shows a part above 12.
enum class NumericDateOrder { DayFirst, MonthFirst };

// The order of day and month in a short date format such as "MM/dd/yy".
NumericDateOrder numericDateOrderOf(const QString& shortDateFormat);

// Where the results come from. A file is the user's own choice and is taken as it is; an
// address may change under the user's feet, so its draws never stand beside a stored draw of
// the same day that they contradict.
enum class ImportSource { File, Address };

struct DrawImportOptions {
    QString shortDateFormat = QStringLiteral("dd/MM/yy"); // form of the stored date cells
    NumericDateOrder localeOrder = NumericDateOrder::DayFirst;
    ImportSource source = ImportSource::File;
};

// Why a line of the file did not become a draw.
enum class SkippedLine {
    NoDate,          // a note: no date on the line (column headings are passed over)
    BadDate,         // a date that does not exist, such as 31/02/2024
    YearOutsideCell, // a year a two-digit date cell cannot hold, such as 2082 beside 1982
    TooFewNumbers,   // fewer numbers than the game draws
    OutOfRange,      // a number outside the game's range, or a bonus outside 1..99
    RepeatedNumber,  // a main number given twice
    RepeatedDraw,    // the draw of an earlier line of the file: date, numbers and bonus
    TooLong,         // far longer than any draw could be
};
constexpr int SkippedLineKinds = 8;

// Refusal limits: the whole file is read into memory at once.
constexpr qint64 MaxImportFileSize = 64 * 1024 * 1024;
constexpr int MaxImportLineCount = 1000000;
constexpr int MaxImportLineLength = 10000;
// The summary names at most this many lines per reason.
constexpr int NamedSkippedLines = 5;

struct ImportedDraw {
    QDate date;
    int line = 0;                 // in the results file, from 1
    QString dateCell;             // " 12/06/82"
    std::array<int, 7> numbers{}; // the game's DataPick numbers in the file's order
    int bonus = 0;                // 0 when the game or the line has none
};

// A draw of the address on a day whose stored draw it does not give. The stored draw stays.
struct DrawDisagreement {
    QString date;   // as stored, without the leading blank
    QString given;  // "14 17 28 31 42 48 + 05"
    QString stored; // the same, of the stored draw
};

struct DrawImportResult {
    ImportSource source = ImportSource::File;
    QString fileName; // the results file's name or the address, for the messages
    int pick = 0;     // the game the lines were matched against
    int random = 0;
    QString error;               // "" or why nothing was imported (refused file, failed save)
    int added = 0;               // draws added to the table
    QString firstDate, lastDate; // of the added draws, as stored but without the leading blank
    int alreadyStored = 0;
    int undatedRow = 0; // a stored row without a readable date: the draws went after it, out of
                        // date order; 0 when they are in order
    std::array<int, SkippedLineKinds> skipped{};
    std::array<QList<int>, SkippedLineKinds> skippedLines{}; // the first few line numbers
    int disagreed = 0;                         // address only: draws left out as contradicting
    QList<DrawDisagreement> disagreements;     // the first few of them
    QDate newestGiven, newestStored;           // invalid when there is none
    QString newestGivenCell, newestStoredCell; // the same as stored, without the leading blank
    int skippedTotal() const;
};

struct DrawImport {
    DrawImportResult result;
    std::vector<ImportedDraw> draws; // new draws, oldest first; one day's in the file's order
    QString shortDateFormat;         // of the stored date cells
};

// Reads `path` and matches its lines against the game of `state`; draws already in `table`
// (the same date and numbers, in any order, and the same bonus where both give one) are
// counted as stored. Changes nothing.
DrawImport readDrawHistory(const QString& path, const TLotteryState& state, const TDrawTable& table,
                           const DrawImportOptions& options);

// The same for results already in memory (a downloaded page), named `sourceName`.
DrawImport readDrawHistoryBytes(const QByteArray& bytes, const QString& sourceName,
                                const TLotteryState& state, const TDrawTable& table,
                                const DrawImportOptions& options);

// Adds `import.draws` to the table: after the stored draws when no new one is older than the
// latest of them, else merged by date (stored draws first among those of one day). When a
// stored row has no readable date, every row keeps its place and the new draws go after them. Keeps
// DataTotalDraws / DataLastDraw in step and saves the loaded database's draw file. When the save
// fails, `table` and `state` are restored exactly and result.error holds the error text.
void applyDrawImport(DrawImport& import, TLotteryState& state, TDrawTable& table);

// Both steps.
DrawImportResult importDrawHistory(const QString& path, const DrawImportOptions& options,
                                   TLotteryState& state, TDrawTable& table);

// The one message that tells the user what an import did.
QString drawImportSummary(const DrawImportResult& result);
