#pragma once

#include "odds/SetOdds.h"
#include "wheels/GuaranteeCheck.h"
#include "wheels/WheelTerms.h"

#include <QStringList>
#include <QVector>

// What the wheels window shows of a wheel: its lines as a check file holds them, the guarantee
// in words, and the chance of each prize.
namespace WheelTexts {

// The check file's four header lines, then one line per wheel line, "6/49  >  03 - 07 - ...",
// ascending within each line.
QStringList checkFileLines(const QVector<QVector<int>>& lines, int highest);

// "10 lines: if 3 of the drawn numbers are among your 10, one line has at least 3 of them (all
// 120 cases checked)", or what the check found missing.
QString summary(const WheelTerms& terms, int lineCount, const GuaranteeCheck& check);

// For h = lineSize down to 1: "h or more on one line: 1 in X (P %)", P to at least three
// significant figures; an estimate reads "about 1 in X (P % ± E %)".
QStringList oddsRows(const SetOdds& odds, int lineSize);

} // namespace WheelTexts
