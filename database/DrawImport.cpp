#include "DrawImport.h"
#include "TwoDigitYear.h"

#include "DrawFile.h"
#include "DrawImportDateCell.h"
#include "DrawImportLine.h"
#include "DrawImportStored.h"
#include "DrawTable.h"
#include "state/LotteryState.h"
#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QFileInfo>

#include <algorithm>

using drawimport::DrawKey;
using drawimport::LineDate;
using drawimport::LineDraw;

namespace {

constexpr int HighestBonus = 99; // a bonus may come from a second drum with its own range

struct PendingLine {
    int line = 0;
    LineDraw draw;
};

QString tooLargeText(const QString& fileName) {
    return QStringLiteral("%1 is too large to import: a results file may hold at most "
                          "1,000,000 lines and 64 MiB")
        .arg(fileName);
}

// Refusals of the file as a whole; "" when its bytes are there to be read.
QString readError(const FileReadResult& file, const QString& fileName) {
    switch (file.status) {
    case FileReadResult::Ok:
        break;
    case FileReadResult::Missing:
        return QStringLiteral("%1 does not exist").arg(fileName);
    case FileReadResult::NotRegular:
        return QStringLiteral("%1 is not a file").arg(fileName);
    case FileReadResult::TooLarge:
        return tooLargeText(fileName);
    case FileReadResult::Failed:
        return QStringLiteral("Unable to read %1: %2")
            .arg(fileName, fileErrorText(file.systemError));
    }
    return {};
}

// Text never holds a NUL; pictures, archives and programs nearly always do.
QString textError(const QString& text, const QString& fileName) {
    return text.contains(QChar(0)) ? QStringLiteral("%1 is not a text file").arg(fileName)
                                   : QString();
}

// A file that never shows a part above 12 follows the user's order.
NumericDateOrder fileDateOrder(const std::vector<PendingLine>& lines, NumericDateOrder fallback) {
    for (const PendingLine& pending : lines) {
        const LineDate& date = pending.draw.date;
        if (date.kind != LineDate::Numeric)
            continue;
        if (date.first > 12 && date.first <= 31)
            return NumericDateOrder::DayFirst;
        if (date.second > 12 && date.second <= 31)
            return NumericDateOrder::MonthFirst;
    }
    return fallback;
}

struct DayMonthYear {
    int day = 0;
    int month = 0;
    int year = 0;
};

DayMonthYear partsOf(const LineDate& date, NumericDateOrder order) {
    const bool monthFirst = date.kind == LineDate::Numeric && order == NumericDateOrder::MonthFirst;
    return monthFirst ? DayMonthYear{date.second, date.first, date.year}
                      : DayMonthYear{date.first, date.second, date.year};
}

// Why the numbers of `draw` are not a draw of the game; -1 when they are.
int numbersFault(const LineDraw& draw, int pick, int random, bool bonus) {
    if (draw.count < pick)
        return int(SkippedLine::TooFewNumbers);
    for (int k = 0; k < pick; ++k) {
        if (draw.numbers[size_t(k)] < 1 || draw.numbers[size_t(k)] > random)
            return int(SkippedLine::OutOfRange);
    }
    if (bonus && draw.count > pick &&
        (draw.numbers[size_t(pick)] < 1 || draw.numbers[size_t(pick)] > HighestBonus))
        return int(SkippedLine::OutOfRange);
    std::array<bool, 100> seen{};
    for (int k = 0; k < pick; ++k) {
        bool& taken = seen[size_t(draw.numbers[size_t(k)])];
        if (taken)
            return int(SkippedLine::RepeatedNumber);
        taken = true;
    }
    return -1;
}

void skip(DrawImportResult& result, SkippedLine reason, int line) {
    const auto kind = size_t(reason);
    ++result.skipped[kind];
    // Notes are expected in such files: counted, not named.
    if (reason != SkippedLine::NoDate && result.skippedLines[kind].size() < NamedSkippedLines)
        result.skippedLines[kind].append(line);
}

// Every line of `text` in order; lines with a date go to `dated`, the others are counted. False
// when the text has more lines than an import takes.
bool readLines(QStringView text, int wanted, DrawImportResult& result,
               std::vector<PendingLine>& dated) {
    std::vector<drawimport::Token> tokens;
    // The next CR and LF from `at` on, each searched for again only once passed (-1: none left).
    qsizetype at = 0;
    qsizetype nextCr = -2;
    qsizetype nextLf = -2;
    const auto nextEnd = [&](qsizetype& next, char16_t end) {
        if (next != -1 && next < at)
            next = text.indexOf(QChar(end), at);
        return next < 0 ? text.size() : next;
    };
    int line = 0;
    while (at < text.size()) {
        if (line == MaxImportLineCount)
            return false;
        ++line;
        const qsizetype end = qMin(nextEnd(nextCr, u'\r'), nextEnd(nextLf, u'\n'));
        const QStringView content = text.mid(at, end - at);
        at = end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
        if (content.size() > MaxImportLineLength) {
            skip(result, SkippedLine::TooLong, line);
            continue;
        }
        const LineDraw draw = drawimport::parseLine(content, wanted, tokens);
        if (draw.blank || draw.heading) // a column heading is no line the user need hear of
            continue;
        if (draw.date.kind == LineDate::None)
            skip(result, SkippedLine::NoDate, line);
        else
            dated.push_back({line, draw});
    }
    return true;
}

// Oldest first; draws of one day keep the file's order. Sorting positions rather than the draws
// themselves moves far less data.
void sortByDate(std::vector<ImportedDraw>& draws) {
    const auto older = [](const ImportedDraw& a, const ImportedDraw& b) { return a.date < b.date; };
    if (std::is_sorted(draws.begin(), draws.end(), older))
        return;
    std::vector<int> order(draws.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return draws[size_t(a)].date < draws[size_t(b)].date; });
    std::vector<ImportedDraw> sorted;
    sorted.reserve(draws.size());
    for (const int i : order)
        sorted.push_back(std::move(draws[size_t(i)]));
    draws = std::move(sorted);
}

} // namespace

NumericDateOrder numericDateOrderOf(const QString& shortDateFormat) {
    const qsizetype month = shortDateFormat.indexOf(u'M');
    const qsizetype day = shortDateFormat.indexOf(u'd');
    return month >= 0 && day >= 0 && month < day ? NumericDateOrder::MonthFirst
                                                 : NumericDateOrder::DayFirst;
}

int DrawImportResult::skippedTotal() const {
    int total = 0;
    for (const int count : skipped)
        total += count;
    return total;
}

namespace {

QString noDrawsAtAddressText(const QString& address) {
    return QStringLiteral("The page at %1 holds no draws this game can store.").arg(address);
}

// A new import of `sourceName`; result.error says when the game cannot take draws.
DrawImport startImport(const QString& sourceName, const TLotteryState& state,
                       const DrawImportOptions& options) {
    DrawImport import;
    DrawImportResult& result = import.result;
    result.source = options.source;
    result.fileName = sourceName;
    result.pick = state.DataPick;
    result.random = state.DataRandom;
    import.shortDateFormat = options.shortDateFormat;
    if (state.DataPick < 1 || state.DataPick > TLotteryState::MaxPick ||
        state.DataRandom < state.DataPick || state.DataRandom > HighestBonus)
        result.error = QStringLiteral("The loaded database's game (Pick %1, Random %2) cannot "
                                      "take draws")
                           .arg(state.DataPick)
                           .arg(state.DataRandom);
    return import;
}

void matchBytes(QByteArray bytes, DrawImport& import, const TLotteryState& state,
                const TDrawTable& table, const DrawImportOptions& options) {
    DrawImportResult& result = import.result;
    const bool fromAddress = options.source == ImportSource::Address;
    const int pick = state.DataPick;
    const int random = state.DataRandom;
    QString text = decodeForeignText(bytes);
    bytes = QByteArray();
    result.error = textError(text, result.fileName);
    if (!result.error.isEmpty()) {
        if (fromAddress)
            result.error = noDrawsAtAddressText(result.fileName);
        return;
    }

    // First every line, then the dates: the file as a whole decides how "06/12/97" reads.
    std::vector<PendingLine> dated;
    if (!readLines(text, pick + (state.DataBonus ? 1 : 0), result, dated)) {
        result.error = tooLargeText(result.fileName);
        return;
    }
    text.clear();

    const NumericDateOrder order = fileDateOrder(dated, options.localeOrder);
    const DateCellFormat cellFormat(options.shortDateFormat);
    const drawimport::StoredRows rows = drawimport::readStoredRows(table, cellFormat);
    const drawimport::SeenDraws stored =
        drawimport::storedDraws(table, rows, pick, state.DataBonus);
    drawimport::SeenDraws earlier;
    drawimport::SeenDraws given; // every draw of an address, stored or not
    earlier.reserve(dated.size());
    if (fromAddress)
        given.reserve(dated.size());
    import.draws.reserve(dated.size());
    for (const PendingLine& pending : dated) {
        const DayMonthYear parts = partsOf(pending.draw.date, order);
        const QDate date(parts.year, parts.month, parts.day);
        if (!date.isValid()) {
            skip(result, SkippedLine::BadDate, pending.line);
            continue;
        }
        // Its cell would read back as another century's date.
        if (cellFormat.twoDigitYear() &&
            (parts.year < FirstTwoDigitYear || parts.year > LastTwoDigitYear)) {
            skip(result, SkippedLine::YearOutsideCell, pending.line);
            continue;
        }
        if (const int fault = numbersFault(pending.draw, pick, random, state.DataBonus);
            fault >= 0) {
            skip(result, SkippedLine(fault), pending.line);
            continue;
        }
        ImportedDraw draw;
        std::copy_n(pending.draw.numbers.begin(), pick, draw.numbers.begin());
        if (state.DataBonus && pending.draw.count > pick)
            draw.bonus = pending.draw.numbers[size_t(pick)];
        const DrawKey key(date, draw.numbers, pick, draw.bonus);
        if (!result.newestGiven.isValid() || date > result.newestGiven) {
            result.newestGiven = date;
            result.newestGivenCell = cellFormat.cell(parts.year, parts.month, parts.day).mid(1);
        }
        if (fromAddress)
            given.add(key);
        if (stored.contains(key)) {
            ++result.alreadyStored;
            continue;
        }
        if (!earlier.add(key)) {
            skip(result, SkippedLine::RepeatedDraw, pending.line);
            continue;
        }
        draw.date = date;
        draw.line = pending.line;
        draw.dateCell = cellFormat.cell(parts.year, parts.month, parts.day);
        import.draws.push_back(std::move(draw));
    }
    if (rows.latest.isValid()) {
        result.newestStored = rows.latest;
        result.newestStoredCell =
            cellFormat.cell(rows.latest.year(), rows.latest.month(), rows.latest.day()).mid(1);
    }
    sortByDate(import.draws);
    if (fromAddress) {
        drawimport::leaveOutContradictions(import.draws, table, rows, given, pick, state.DataBonus,
                                           result);
        if (import.draws.empty() && result.alreadyStored == 0 && result.disagreed == 0)
            result.error = noDrawsAtAddressText(result.fileName);
    }
}

} // namespace

DrawImport readDrawHistory(const QString& path, const TLotteryState& state, const TDrawTable& table,
                           const DrawImportOptions& options) {
    DrawImport import = startImport(QFileInfo(path).fileName(), state, options);
    if (!import.result.error.isEmpty())
        return import;
    FileReadResult file = readRegularFile(path, MaxImportFileSize);
    import.result.error = readError(file, import.result.fileName);
    if (import.result.error.isEmpty())
        matchBytes(std::move(file.bytes), import, state, table, options);
    return import;
}

DrawImport readDrawHistoryBytes(const QByteArray& bytes, const QString& sourceName,
                                const TLotteryState& state, const TDrawTable& table,
                                const DrawImportOptions& options) {
    DrawImport import = startImport(sourceName, state, options);
    if (!import.result.error.isEmpty())
        return import;
    if (bytes.size() > MaxImportFileSize)
        import.result.error = tooLargeText(sourceName);
    else
        matchBytes(bytes, import, state, table, options);
    return import;
}

DrawImportResult importDrawHistory(const QString& path, const DrawImportOptions& options,
                                   TLotteryState& state, TDrawTable& table) {
    DrawImport import = readDrawHistory(path, state, table, options);
    applyDrawImport(import, state, table);
    return import.result;
}
