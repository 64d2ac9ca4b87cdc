#pragma once

#include "HitCounts.h"

#include <QString>
#include <QtGlobal>
#include <vector>

struct TLotteryState;
class DrawNumbers;

// One bar of the statistics chart: a number, how often it was drawn and how to colour it.
struct HitBar {
    QString label; // the number in decimal, no leading zero
    int value = 0;
    bool classified = false;            // false: the chart picks the colour from its palette
    HitClass hitClass = HitClass::Cold; // meaningful only when classified
    quint32 rgb = 0;                    // 0xRRGGBB of the class, when classified
};
using HitBarList = std::vector<HitBar>;

// Red, gray and blue for hot, average and cold.
quint32 hitClassRgb(HitClass hitClass);
// "Hot", "Average" or "Cold".
QString hitClassName(HitClass hitClass);

// Counts the first n draws into state.HitCounts and makes one bar per number 1..DataRandom,
// coloured by class when showClasses.
HitBarList BuildHitBars(const TDrawTable& table, TLotteryState& state, int n, bool includeBonus,
                        bool showClasses);
// The same from numbers read out of the table beforehand.
HitBarList BuildHitBars(const DrawNumbers& draws, TLotteryState& state, int n, bool includeBonus,
                        bool showClasses);

// "Winning Numbers For" followed by the date of the last stored draw (which starts with a blank).
QString lastDrawHeading(const TLotteryState& state);
// The last stored draw (the last dated row) for reading: its numbers one blank apart and the
// bonus set apart, "04 12 19 27 38 42 + 07"; empty without draws.
QString lastDrawForDisplay(const TDrawTable& table);

// Which draws a count of the first n covers, n kept within the draws stored:
// "Draws 1 to 1,000: 12/06/82 to 05/03/94", "Draw 1: 12/06/82", or "No draws stored".
QString countedDrawsText(const TDrawTable& table, int n);
