#include "DrawImport.h"
#include "DrawImportStored.h"
#include "DrawTable.h"

#include <QHash>

namespace drawimport {

namespace {

constexpr int BonusColumn = 8;

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString givenText(const ImportedDraw& draw, int pick) {
    QStringList numbers;
    for (int k = 0; k < pick; ++k)
        numbers << twoDigits(draw.numbers[size_t(k)]);
    QString text = numbers.join(u' ');
    if (draw.bonus > 0)
        text += QStringLiteral(" + ") + twoDigits(draw.bonus);
    return text;
}

QString storedText(const TDrawTable& table, int row, int pick, bool bonus) {
    QStringList numbers;
    for (int column = 1; column <= pick; ++column)
        numbers << table.CellText(column, row).trimmed();
    QString text = numbers.join(u' ');
    const QString extra = bonus ? table.CellText(BonusColumn, row).trimmed() : QString();
    if (!extra.isEmpty())
        text += QStringLiteral(" + ") + extra;
    return text;
}

} // namespace

void leaveOutContradictions(std::vector<ImportedDraw>& draws, const TDrawTable& table,
                            const StoredRows& rows, const SeenDraws& given, int pick, bool bonus,
                            DrawImportResult& result) {
    if (draws.empty())
        return;
    // Stored rows the address does not give, by day, oldest row first.
    QHash<qint64, QList<int>> missing;
    for (int row = 1; row <= rows.filled; ++row) {
        const QDate& date = rows.dates[size_t(row - 1)];
        if (date.isValid() && !given.contains(storedKey(table, row, date, pick, bonus)))
            missing[date.toJulianDay()].append(row);
    }
    if (missing.isEmpty())
        return;
    std::vector<ImportedDraw> kept;
    kept.reserve(draws.size());
    for (ImportedDraw& draw : draws) {
        const auto day = missing.find(draw.date.toJulianDay());
        if (day == missing.end() || day->isEmpty()) {
            kept.push_back(std::move(draw));
            continue;
        }
        const int row = day->takeFirst();
        ++result.disagreed;
        if (result.disagreements.size() < NamedSkippedLines)
            result.disagreements.append(
                {draw.dateCell.mid(1), givenText(draw, pick), storedText(table, row, pick, bonus)});
    }
    draws = std::move(kept);
}

} // namespace drawimport
