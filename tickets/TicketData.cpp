#include "tickets/TicketData.h"

#include "database/DatabaseOps.h"
#include "database/DrawImportDateCell.h"
#include "database/DrawTable.h"
#include "state/LotteryState.h"

namespace {

constexpr int BonusColumn = 8;
constexpr int SecondExtraColumn = 9; // a second drum's second number
constexpr int MaxLineNumbers = 7;

// The numbers of `text`, each a run of digits; false past `max` of them or outside 1..99.
bool readNumbers(QStringView text, NumberSet* set, int* count, int max) {
    int value = -1;
    auto finish = [&] {
        if (value < 0)
            return true;
        if (value < 1 || value > 99 || set->has(value) || *count == max)
            return false;
        set->add(value);
        ++*count;
        value = -1;
        return true;
    };
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9') {
            // Three digits already make it too large; stop growing so nothing overflows.
            value = value < 0 ? c.unicode() - u'0' : qMin(1000, value * 10 + (c.unicode() - u'0'));
        } else if (!finish()) {
            return false;
        }
    }
    return finish();
}

} // namespace

TicketGame ticketGameOf(const TLotteryState& state) {
    TicketGame game;
    game.pick = state.DataPick;
    game.range = state.DataRandom;
    game.bonus = state.DataBonus;
    game.rules = state.DataRules;
    return game;
}

QVector<TicketDraw> ticketDrawsOf(const TDrawTable& table, const QString& shortDateFormat) {
    const DateCellFormat format(shortDateFormat);
    QVector<TicketDraw> draws;
    draws.reserve(table.RowCount());
    for (int row = 1; row < table.RowCount(); ++row) {
        if (!table.IsDraw(row))
            continue;
        TicketDraw draw;
        draw.dateText = table.CellText(0, row).trimmed();
        draw.date = format.dateOf(draw.dateText);
        for (int column = 1; column <= MaxLineNumbers; ++column) {
            int value = 0;
            if (drawCellNumber(table.CellText(column, row), &value) && value >= 1 && value <= 99)
                draw.numbers.add(value);
        }
        int bonus = 0;
        if (drawCellNumber(table.CellText(BonusColumn, row), &bonus) && bonus >= 1 && bonus <= 99)
            draw.bonus = bonus;
        int second = 0;
        if (drawCellNumber(table.CellText(SecondExtraColumn, row), &second) && second >= 1 &&
            second <= 99)
            draw.secondExtra = second;
        draws << draw;
    }
    return draws;
}

QVector<QDate> drawDatesOf(const TDrawTable& table, const QString& shortDateFormat) {
    const DateCellFormat format(shortDateFormat);
    QVector<QDate> dates;
    dates.reserve(table.RowCount());
    for (int row = 1; row < table.RowCount(); ++row)
        if (table.IsDraw(row))
            dates << format.dateOf(table.CellText(0, row));
    return dates;
}

bool parsePlayedLine(QStringView text, TicketLine* line) {
    const qsizetype arrow = text.indexOf(u'>');
    if (arrow < 0)
        return false;
    TicketLine read;
    QStringView rest = text.sliced(arrow + 1);
    const qsizetype plus = rest.indexOf(u'+');
    const QStringView main = plus < 0 ? rest : rest.first(plus);
    if (!readNumbers(main, &read.numbers, &read.count, MaxLineNumbers) || read.count == 0)
        return false;
    if (plus >= 0 && !readNumbers(rest.sliced(plus + 1), &read.extras, &read.extraCount, 2))
        return false;
    *line = read;
    return true;
}

QString lineFitError(const TicketLine& line, const TicketGame& game) {
    if (line.count != game.pick)
        return QStringLiteral("it holds %1 numbers, the game draws %2").arg(line.count).arg(game.pick);
    for (int n = game.range + 1; n <= 99; ++n)
        if (line.numbers.has(n))
            return QStringLiteral("%1 is above the game's highest number, %2").arg(n).arg(game.range);
    if (line.extraCount > 0) {
        if (!game.rules.hasSecondDrum() || line.extraCount != game.rules.extraCount)
            return QStringLiteral("its extra numbers do not fit the game");
        for (int n = game.rules.extraRange + 1; n <= 99; ++n)
            if (line.extras.has(n))
                return QStringLiteral("its extra number %1 is above %2")
                    .arg(n)
                    .arg(game.rules.extraRange);
    }
    return {};
}

LineHits lineHits(const TicketLine& line, const TicketDraw& draw, const TicketGame& game) {
    LineHits hits;
    hits.main = line.numbers.common(draw.numbers);
    if (draw.bonus > 0) {
        if (game.rules.hasSecondDrum())
            hits.extra = (line.extras.has(draw.bonus) ? 1 : 0) +
                         (draw.secondExtra > 0 && line.extras.has(draw.secondExtra) ? 1 : 0);
        else if (game.bonus)
            hits.extra = line.numbers.has(draw.bonus) ? 1 : 0;
    }
    return hits;
}

PlayedLines playedLinesOf(const QStringList& texts, int skipLines, const TicketGame& game) {
    PlayedLines result;
    for (qsizetype i = qMax(0, skipLines); i < texts.size(); ++i) {
        const QString& text = texts[i];
        if (!text.contains(u'>'))
            continue;
        TicketLine line;
        QString why;
        if (!parsePlayedLine(text, &line))
            why = QStringLiteral("it is not a line of numbers");
        else
            why = lineFitError(line, game);
        if (!why.isEmpty()) {
            result.error = QStringLiteral("Line %1 cannot be played in this game: %2.")
                               .arg(i + 1)
                               .arg(why);
            result.texts.clear();
            result.lines.clear();
            return result;
        }
        result.texts << text;
        result.lines << line;
    }
    return result;
}
