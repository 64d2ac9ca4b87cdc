#pragma once

// Check files and the real 6/49 draw history for the checker tests.

#include "app/CheckFile.h"
#include "app/LotteryState.h"
#include "database/DrawTable.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>

namespace testfiles {

// The bytes of a check file holding `generated` after the banner.
inline QByteArray checkFileBytes(const QStringList& generated) {
    return CheckFile::encode(CheckFile::headerLines() + generated);
}

// The history in /work/shared/data's CSV form ("Month D, YYYY",n1..n6,bonus) as a loaded pick-6
// database with bonus. False when the file is not at hand.
inline bool loadHistory(const QString& csvPath, TLotteryState& state, TDrawTable& table) {
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    static const QRegularExpression row(QStringLiteral(
        R"(^"([A-Za-z]{3})[a-z]* (\d+), (\d{4})\",(\d+),(\d+),(\d+),(\d+),(\d+),(\d+),(\d+)\s*$)"));
    const QStringList months{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QList<QStringList> draws;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const auto match = row.match(QString::fromUtf8(line));
        if (!match.hasMatch())
            continue;
        const QDate date(match.captured(3).toInt(), int(months.indexOf(match.captured(1))) + 1,
                         match.captured(2).toInt());
        QStringList cells{u' ' + date.toString(QStringLiteral("dd/MM/yy"))};
        for (int k = 4; k <= 10; ++k)
            cells << QStringLiteral("  %1").arg(match.captured(k).toInt(), 2, 10, QLatin1Char('0'));
        draws << cells;
    }
    table.SetHeader(6, true);
    table.SetRowCount(qMax(int(TDrawTable::MinRowCount), int(draws.size()) + 1));
    for (int r = 0; r < draws.size(); ++r) {
        for (int c = 0; c <= 6; ++c)
            table.SetCellText(c, r + 1, draws[r][c]);
        table.SetCellText(8, r + 1, draws[r][7]);
    }
    state.DatabaseLoaded = true;
    state.DataName = QStringLiteral("Canada");
    state.DataPick = 6;
    state.DataRandom = 49;
    state.DataBonus = true;
    state.DataTotalDraws = int(draws.size());
    state.DataLastDraw = draws.isEmpty() ? QString() : draws.last().first();
    return !draws.isEmpty();
}

} // namespace testfiles
