#pragma once

#include "DatabaseOps.h"
#include "EntryRules.h"

#include <QList>
#include <array>

class QLabel;
class QLineEdit;
struct TLotteryState;

// The entry panel's number boxes for the loaded game: Edit1..Edit(pick), then Edit9 for the
// bonus or the first number from a second drum, and Edit10 for a second one.
using NumberBoxes = std::array<QLineEdit*, 11>; // Edit1..Edit10 at their numbers; 0 and 8 unused
constexpr std::array<int, 9> NumberBoxIndexes = {1, 2, 3, 4, 5, 6, 7, 9, 10};

// Shows the game's boxes, with the caption over Edit9 naming what it takes.
void showEntryBoxes(const NumberBoxes& boxes, QLabel* caption, const TLotteryState& state);
// Empties and hides every number box.
void clearEntryBoxes(const NumberBoxes& boxes);
// The shown boxes in the order Ok checks them.
QList<QLineEdit*> shownEntryBoxes(const NumberBoxes& boxes);
// Edit's texts in the boxes.
void fillEntryBoxes(const NumberBoxes& boxes, const EditTexts& texts);
// Ok's check of the date and the shown boxes: extra numbers from a second drum of 1..S.
EntryFailure checkEntryBoxes(const QString& date, const QList<QLineEdit*>& shown,
                             const TLotteryState& state);
// The draw the boxes hold.
DrawEntry entryOfBoxes(const QString& date, const NumberBoxes& boxes, const TLotteryState& state);
// Edit's texts of table row `row` for the loaded game.
EditTexts editTextsOf(const TDrawTable& table, int row, const QString& dateFormat,
                      const TLotteryState& state);
