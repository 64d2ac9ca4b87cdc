#include "DrawImport.h"
#include "DrawImportLine.h"
#include "TwoDigitYear.h"
#include "state/GroupedCount.h"

#include <QStringList>

namespace {

QString countText(int count, const char* one, const char* many) {
    return groupedCount(count) + u' ' + QLatin1String(count == 1 ? one : many);
}

QString skipReasonText(SkippedLine reason, int pick) {
    switch (reason) {
    case SkippedLine::NoDate:
        return QStringLiteral("without a draw");
    case SkippedLine::BadDate:
        return QStringLiteral("with a date that does not exist");
    case SkippedLine::YearOutsideCell:
        return QStringLiteral("with a year outside %1 to %2")
            .arg(FirstTwoDigitYear)
            .arg(LastTwoDigitYear);
    case SkippedLine::TooFewNumbers:
        return QStringLiteral("with fewer than %1 numbers").arg(pick);
    case SkippedLine::OutOfRange:
        return QStringLiteral("with a number out of range");
    case SkippedLine::RepeatedNumber:
        return QStringLiteral("with a number drawn twice");
    case SkippedLine::RepeatedDraw:
        return QStringLiteral("with the draw of an earlier line");
    case SkippedLine::TooLong:
        return QStringLiteral("too long to be a draw");
    }
    return {};
}

// An update without a new draw: how the address stands against the database.
QString nothingNewAtAddress(const DrawImportResult& result) {
    if (result.newestGiven.isValid() && result.newestGiven == result.newestStored)
        return QStringLiteral("No new draws: the newest stored draw, %1, is also the newest at "
                              "the address.")
            .arg(result.newestStoredCell);
    if (result.newestGiven.isValid() && result.newestStored.isValid() &&
        result.newestGiven < result.newestStored)
        return QStringLiteral("No new draws: the newest draw at the address, %1, is older than "
                              "the newest stored draw, %2.")
            .arg(result.newestGivenCell, result.newestStoredCell);
    return QStringLiteral("No new draws at the address.");
}

} // namespace

QString drawImportSummary(const DrawImportResult& result) {
    if (!result.error.isEmpty())
        return result.error;
    QStringList sentences;
    if (result.added == 1)
        sentences << QStringLiteral("Imported 1 draw (%1).").arg(result.firstDate);
    else if (result.added > 1)
        sentences << QStringLiteral("Imported %1 draws (%2 to %3).")
                         .arg(groupedCount(result.added), result.firstDate, result.lastDate);
    else if (result.source == ImportSource::Address)
        sentences << nothingNewAtAddress(result);
    else if (result.alreadyStored > 0)
        sentences << QStringLiteral("No new draws in %1.").arg(result.fileName);
    else
        sentences << QStringLiteral("No draws found in %1.").arg(result.fileName);
    if (result.undatedRow > 0)
        sentences << QStringLiteral("%1 added at the end, not in date order, as row %2 of the "
                                    "table has no readable date.")
                         .arg(result.added == 1 ? QStringLiteral("It was")
                                                : QStringLiteral("They were"))
                         .arg(groupedCount(result.undatedRow));
    if (result.alreadyStored > 0)
        sentences << countText(result.alreadyStored, "draw was", "draws were") +
                         QStringLiteral(" already stored.");
    for (const DrawDisagreement& draw : result.disagreements)
        sentences << QStringLiteral("The address gives %1 as %2, the database holds %3; the "
                                    "stored draw was kept.")
                         .arg(draw.date, draw.given, draw.stored);
    if (const int more = result.disagreed - int(result.disagreements.size()); more > 0)
        sentences << (more == 1 ? QStringLiteral("1 more draw of the address contradicts a "
                                                 "stored draw, which was kept.")
                                : QStringLiteral("%1 more draws of the address contradict stored "
                                                 "draws, which were kept.")
                                      .arg(more));
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
                numbers << groupedCount(line);
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
