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

// The numbers after the main ones: a bonus of 1..99, or up to two from a second drum of 1..S.
struct ExtraColumns {
    int count = 0;
    int highest = HighestBonus;
};

ExtraColumns extraColumnsOf(const TLotteryState& state) {
    if (state.DataBonus)
        return {1, HighestBonus};
    const int extras = state.DataRules.drumNumbers();
    return {extras, extras > 0 ? state.DataRules.extraRange : HighestBonus};
}

// Why the numbers of `draw` are not a draw of the game; -1 when they are. Extra numbers may
// be missing from a line; those given must be in range.
int numbersFault(const LineDraw& draw, int pick, int random, const ExtraColumns& extras) {
    if (draw.count < pick)
        return int(SkippedLine::TooFewNumbers);
    for (int k = 0; k < pick; ++k) {
        if (draw.numbers[size_t(k)] < 1 || draw.numbers[size_t(k)] > random)
            return int(SkippedLine::OutOfRange);
    }
    for (int k = pick; k < qMin(draw.count, pick + extras.count); ++k) {
        if (draw.numbers[size_t(k)] < 1 || draw.numbers[size_t(k)] > extras.highest)
            return int(SkippedLine::OutOfRange);
    }
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

DrawImport readDrawHistory(const QString& path, const TLotteryState& state, const TDrawTable& table,
                           const DrawImportOptions& options) {
    DrawImport import;
    DrawImportResult& result = import.result;
    result.fileName = QFileInfo(path).fileName();
    result.pick = state.DataPick;
    result.random = state.DataRandom;
    const int pick = state.DataPick;
    const int random = state.DataRandom;
    if (pick < 1 || pick > TLotteryState::MaxPick || random < pick || random > HighestBonus) {
        result.error = QStringLiteral("The loaded database's game (Pick %1, Random %2) cannot "
                                      "take draws")
                           .arg(pick)
                           .arg(random);
        return import;
    }

    FileReadResult file = readRegularFile(path, MaxImportFileSize);
    result.error = readError(file, result.fileName);
    if (!result.error.isEmpty())
        return import;
    QString text = decodeForeignText(file.bytes);
    file.bytes.clear();
    result.error = textError(text, result.fileName);
    if (!result.error.isEmpty())
        return import;

    // First every line, then the dates: the file as a whole decides how "06/12/97" reads.
    std::vector<PendingLine> dated;
    const ExtraColumns extras = extraColumnsOf(state);
    if (!readLines(text, pick + extras.count, result, dated)) {
        result.error = tooLargeText(result.fileName);
        return import;
    }
    text.clear();

    const NumericDateOrder order = fileDateOrder(dated, options.localeOrder);
    const DateCellFormat cellFormat(options.shortDateFormat);
    import.shortDateFormat = options.shortDateFormat;
    const drawimport::SeenDraws stored = drawimport::storedDraws(
        table, drawimport::readStoredRows(table, cellFormat), pick, extras.count > 0);
    drawimport::SeenDraws earlier;
    earlier.reserve(dated.size());
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
        if (const int fault = numbersFault(pending.draw, pick, random, extras); fault >= 0) {
            skip(result, SkippedLine(fault), pending.line);
            continue;
        }
        ImportedDraw draw;
        std::copy_n(pending.draw.numbers.begin(), pick, draw.numbers.begin());
        if (extras.count > 0 && pending.draw.count > pick)
            draw.bonus = pending.draw.numbers[size_t(pick)];
        if (extras.count > 1 && pending.draw.count > pick + 1)
            draw.secondExtra = pending.draw.numbers[size_t(pick + 1)];
        const DrawKey key(date, draw.numbers, pick, draw.bonus);
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
    sortByDate(import.draws);
    return import;
}

DrawImportResult importDrawHistory(const QString& path, const DrawImportOptions& options,
                                   TLotteryState& state, TDrawTable& table) {
    DrawImport import = readDrawHistory(path, state, table, options);
    applyDrawImport(import, state, table);
    return import.result;
}
