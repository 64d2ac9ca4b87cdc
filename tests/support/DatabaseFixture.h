#pragma once

// Header files, draw files and a ready-made pick-6 database for the database tests.

#include "DrawTestFiles.h"
#include "TestFiles.h"

#include "state/LotteryState.h"
#include "database/DatabaseOps.h"
#include "database/DrawTable.h"

#include <QTemporaryDir>

namespace testfiles {

inline const QByteArray EmptyRow = EmptyLine + "\r";

// A header file holding `keys` in its "Database" section.
inline QByteArray headerText(const QByteArray& keys) {
    return "[Database]\r\n" + keys;
}
inline const QByteArray LottoHeader = headerText("Name=Lotto\r\nPick=6\r\nRandom=49\r\nBonus=1\r\n"
                                                 "Description=Six from 49\r\n");

// A draw line for pick 6 with bonus, dated "0<n>/01/99", with its CR.
inline QByteArray numberedDrawLine(int n) {
    QByteArray line = "\" 0" + QByteArray::number(n % 10) + "/01/99\"";
    for (int k = 1; k <= 6; ++k)
        line += ",\"  " + QByteArray::number(10 + k) + "\"";
    return line + ",\"\",\"  0" + QByteArray::number(n % 10) + "\",\"\"\r";
}

// A draw file of `count` numbered draws, padded with empty rows to 14 lines.
inline QByteArray numberedDrawFile(int count) {
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += numberedDrawLine(n);
    for (int n = count; n < 14; ++n)
        bytes += EmptyRow;
    return bytes;
}

// The database fields of `s` as text, in the order they appear in the state.
inline QStringList fieldsOf(const TLotteryState& s) {
    return {QString::number(s.DatabaseLoaded), s.DataName,
            QString::number(s.DataPick),       QString::number(s.DataRandom),
            QString::number(s.DataBonus),      s.DataDescription,
            QString::number(s.DataTotalDraws), s.DataLastDraw};
}

inline DrawEntry drawEntry(const QString& date, const QString& bonus = QStringLiteral("9")) {
    return {date, {"7", "12", "-5", "33", "40", "41", "45"}, bonus};
}

// A database of pick 6 with bonus and `draws` stored draws, started empty and appended to.
struct DatabaseFixture {
    QTemporaryDir folder;
    TLotteryState state;
    TDrawTable table;
    QString headerPath = folder.filePath("Lotto.bmd");
    QString drawPath = folder.filePath("Lotto.bmi");

    explicit DatabaseFixture(int draws = 0) {
        state.DataName = QStringLiteral("Lotto");
        state.DataPick = 6;
        state.DataRandom = 49;
        state.DataBonus = true;
        startEmptyDatabase(headerPath, state, table);
        for (int n = 1; n <= draws; ++n)
            append(QStringLiteral("%1/01/99").arg(n, 2, 10, QLatin1Char('0')));
    }
    DrawChangeResult append(const QString& date) {
        return appendDraw(drawEntry(date), state, table);
    }
    int lineCount() const { return int(readFile(drawPath).count('\r')); }
};

} // namespace testfiles
