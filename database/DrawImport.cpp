#include "DrawImport.h"

#include "DatabaseHeader.h"
#include "DatabaseOps.h"
#include "DrawFile.h"
#include "DrawImportLine.h"
#include "DrawTable.h"
#include "app/LotteryState.h"
#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cstring>

using drawimport::LineDate;
using drawimport::LineDraw;

namespace {

constexpr int BonusColumn = 8;
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
    // Text never holds a zero byte; pictures, archives and programs nearly always do.
    if (std::memchr(file.bytes.constData(), 0, size_t(file.bytes.size())))
        return QStringLiteral("%1 is not a text file").arg(fileName);
    return {};
}

// Lines ended by CR LF, LF or CR, and a last line without an end.
qint64 lineCount(const QByteArray& bytes) {
    qint64 count = 0;
    const char* const data = bytes.constData();
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n')))
            ++count;
    }
    if (size > 0 && data[size - 1] != '\n' && data[size - 1] != '\r')
        ++count;
    return count;
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

QDate dateOf(const LineDate& date, NumericDateOrder order) {
    const bool monthFirst = date.kind == LineDate::Numeric && order == NumericDateOrder::MonthFirst;
    return monthFirst ? QDate(date.year, date.first, date.second)
                      : QDate(date.year, date.second, date.first);
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
    // Headings and notes are expected in such files: counted, not named.
    if (reason != SkippedLine::NoDate && result.skippedLines[kind].size() < NamedSkippedLines)
        result.skippedLines[kind].append(line);
}

QSet<QString> storedDates(const TDrawTable& table) {
    QSet<QString> dates;
    for (int row = 1; row < table.RowCount(); ++row) {
        const QString date = table.CellText(0, row);
        if (!date.isEmpty())
            dates.insert(date);
    }
    return dates;
}

// New draws go after the last row holding anything, so no stored cell is overwritten.
int firstFreeRow(const TDrawTable& table) {
    for (int row = table.RowCount() - 1; row >= 1; --row) {
        for (int column = 0; column < TDrawTable::ColCount; ++column) {
            if (!table.CellText(column, row).isEmpty())
                return row + 1;
        }
    }
    return 1;
}

// Number cells of 1..99 built once: a big import then shares their text.
const QString& numberCell(int value) {
    static const auto cells = [] {
        std::array<QString, HighestBonus + 1> all;
        for (int n = 0; n <= HighestBonus; ++n)
            all[size_t(n)] = drawNumberCell(QString::number(n));
        return all;
    }();
    return cells[size_t(value)];
}

QString countText(int count, const char* one, const char* many) {
    return QString::number(count) + u' ' + QLatin1String(count == 1 ? one : many);
}

QString skipReasonText(SkippedLine reason, int pick) {
    switch (reason) {
    case SkippedLine::NoDate:
        return QStringLiteral("without a draw");
    case SkippedLine::BadDate:
        return QStringLiteral("with a date that does not exist");
    case SkippedLine::TooFewNumbers:
        return QStringLiteral("with fewer than %1 numbers").arg(pick);
    case SkippedLine::OutOfRange:
        return QStringLiteral("with a number out of range");
    case SkippedLine::RepeatedNumber:
        return QStringLiteral("with a number drawn twice");
    case SkippedLine::RepeatedDate:
        return QStringLiteral("with the date of an earlier line");
    case SkippedLine::TooLong:
        return QStringLiteral("too long to be a draw");
    }
    return {};
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
    if (result.error.isEmpty() && lineCount(file.bytes) > MaxImportLineCount)
        result.error = tooLargeText(result.fileName);
    if (!result.error.isEmpty())
        return import;
    QString text = decodeUtf8OrLatin1(file.bytes);
    file.bytes.clear();
    if (text.startsWith(QChar(0xFEFF))) // a byte order mark is no part of the first line
        text.remove(0, 1);

    // First every line, then the dates: the file as a whole decides how "06/12/97" reads.
    const int wanted = pick + (state.DataBonus ? 1 : 0);
    std::vector<PendingLine> dated;
    std::vector<drawimport::Token> tokens;
    const QStringView all(text);
    int line = 0;
    for (qsizetype at = 0; at < all.size();) {
        qsizetype end = at;
        while (end < all.size() && all[end] != u'\r' && all[end] != u'\n')
            ++end;
        const QStringView content = all.mid(at, end - at);
        at = end + (end + 1 < all.size() && all[end] == u'\r' && all[end + 1] == u'\n' ? 2 : 1);
        ++line;
        if (content.size() > MaxImportLineLength) {
            skip(result, SkippedLine::TooLong, line);
            continue;
        }
        const LineDraw draw = drawimport::parseLine(content, wanted, tokens);
        if (draw.blank)
            continue;
        if (draw.date.kind == LineDate::None)
            skip(result, SkippedLine::NoDate, line);
        else
            dated.push_back({line, draw});
    }

    const NumericDateOrder order = fileDateOrder(dated, options.localeOrder);
    const QSet<QString> stored = storedDates(table);
    QSet<QString> seen;
    for (const PendingLine& pending : dated) {
        const QDate date = dateOf(pending.draw.date, order);
        if (!date.isValid()) {
            skip(result, SkippedLine::BadDate, pending.line);
            continue;
        }
        if (const int fault = numbersFault(pending.draw, pick, random, state.DataBonus);
            fault >= 0) {
            skip(result, SkippedLine(fault), pending.line);
            continue;
        }
        ImportedDraw draw;
        draw.date = date;
        draw.line = pending.line;
        draw.dateCell = drawDateCell(date.toString(options.shortDateFormat));
        if (stored.contains(draw.dateCell)) {
            ++result.alreadyStored;
            continue;
        }
        if (seen.contains(draw.dateCell)) {
            skip(result, SkippedLine::RepeatedDate, pending.line);
            continue;
        }
        seen.insert(draw.dateCell);
        std::copy_n(pending.draw.numbers.begin(), pick, draw.numbers.begin());
        if (state.DataBonus && pending.draw.count > pick)
            draw.bonus = pending.draw.numbers[size_t(pick)];
        import.draws.push_back(std::move(draw));
    }
    std::stable_sort(import.draws.begin(), import.draws.end(),
                     [](const ImportedDraw& a, const ImportedDraw& b) { return a.date < b.date; });
    return import;
}

void applyDrawImport(const QString& headerPath, DrawImport& import, TLotteryState& state,
                     TDrawTable& table) {
    DrawImportResult& result = import.result;
    if (!result.error.isEmpty() || import.draws.empty())
        return;
    result.error = databaseNameError(state.DataName);
    if (!result.error.isEmpty())
        return;
    const int start = firstFreeRow(table);
    const qint64 count = qint64(import.draws.size());
    // A draw file longer than the loader accepts would lose the whole database at next start.
    if (start + count > MaxDrawRowCount) {
        result.error = drawFileTooLargeText();
        return;
    }

    const int oldRowCount = table.RowCount();
    const int oldTotal = state.DataTotalDraws;
    const QString oldLast = state.DataLastDraw;
    table.SetRowCount(qMax(oldRowCount, int(start + count)));
    const int pick = qBound(0, state.DataPick, TLotteryState::MaxPick);
    int row = start;
    for (const ImportedDraw& draw : import.draws) {
        table.SetCellText(0, row, draw.dateCell);
        for (int column = 1; column <= pick; ++column)
            table.SetCellText(column, row, numberCell(draw.numbers[size_t(column - 1)]));
        if (draw.bonus > 0)
            table.SetCellText(BonusColumn, row, numberCell(draw.bonus));
        ++row;
    }
    state.DataTotalDraws = table.CountDraws();
    state.DataLastDraw = import.draws.back().dateCell;

    result.error = saveDrawFile(drawFilePath(headerPath, state.DataName), table);
    if (!result.error.isEmpty()) {
        // Rows from `start` on held nothing before: dropping and re-adding them restores them.
        table.SetRowCount(start);
        table.SetRowCount(oldRowCount);
        state.DataTotalDraws = oldTotal;
        state.DataLastDraw = oldLast;
        return;
    }
    result.added = int(count);
    result.firstDate = import.draws.front().dateCell.mid(1);
    result.lastDate = import.draws.back().dateCell.mid(1);
}

DrawImportResult importDrawHistory(const QString& headerPath, const QString& path,
                                   const DrawImportOptions& options, TLotteryState& state,
                                   TDrawTable& table) {
    DrawImport import = readDrawHistory(path, state, table, options);
    applyDrawImport(headerPath, import, state, table);
    return import.result;
}

QString drawImportSummary(const DrawImportResult& result) {
    if (!result.error.isEmpty())
        return result.error;
    QStringList sentences;
    if (result.added == 1)
        sentences << QStringLiteral("Imported 1 draw (%1).").arg(result.firstDate);
    else if (result.added > 1)
        sentences << QStringLiteral("Imported %1 draws (%2 to %3).")
                         .arg(result.added)
                         .arg(result.firstDate, result.lastDate);
    else if (result.alreadyStored > 0)
        sentences << QStringLiteral("No new draws in %1.").arg(result.fileName);
    else
        sentences << QStringLiteral("No draws found in %1.").arg(result.fileName);
    if (result.alreadyStored > 0)
        sentences << countText(result.alreadyStored, "draw was", "draws were") +
                         QStringLiteral(" already stored.");
    for (int kind = 0; kind < SkippedLineKinds; ++kind) {
        const int count = result.skipped[size_t(kind)];
        if (count == 0)
            continue;
        QString sentence =
            countText(count, "line ", "lines ") + skipReasonText(SkippedLine(kind), result.pick) +
            (count == 1 ? QStringLiteral(" was skipped") : QStringLiteral(" were skipped"));
        const QList<int>& lines = result.skippedLines[size_t(kind)];
        if (!lines.isEmpty()) {
            QStringList numbers;
            for (const int line : lines)
                numbers << QString::number(line);
            if (count > lines.size())
                numbers << QStringLiteral("...");
            sentence += (lines.size() == 1 && count == 1 ? QStringLiteral(" (line ")
                                                         : QStringLiteral(" (lines ")) +
                        numbers.join(QStringLiteral(", ")) + u')';
        }
        sentences << sentence + u'.';
    }
    return sentences.join(u' ');
}
