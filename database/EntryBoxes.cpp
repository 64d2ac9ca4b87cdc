#include "EntryBoxes.h"

#include "state/LotteryState.h"

#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int BonusBox = 9;
constexpr int SecondExtraBox = 10;

int pickBoxes(const TLotteryState& state) {
    return state.DataPick >= 1 && state.DataPick <= 7 ? state.DataPick : 0;
}

} // namespace

void showEntryBoxes(const NumberBoxes& boxes, QLabel* caption, const TLotteryState& state) {
    for (int k = 1; k <= 7; ++k)
        boxes[k]->setVisible(k <= pickBoxes(state));
    const int extras = state.DataBonus ? 0 : state.DataRules.drumNumbers();
    boxes[BonusBox]->setVisible(state.DataBonus || extras > 0);
    boxes[SecondExtraBox]->setVisible(extras > 1);
    caption->setText(extras > 1   ? QStringLiteral("Extras")
                     : extras > 0 ? QStringLiteral("Extra")
                                  : QStringLiteral("Bonus"));
}

void clearEntryBoxes(const NumberBoxes& boxes) {
    for (int k : NumberBoxIndexes) {
        boxes[k]->clear();
        boxes[k]->hide();
    }
}

QList<QLineEdit*> shownEntryBoxes(const NumberBoxes& boxes) {
    QList<QLineEdit*> shown;
    for (int k : NumberBoxIndexes)
        if (!boxes[k]->isHidden())
            shown << boxes[k];
    return shown;
}

void fillEntryBoxes(const NumberBoxes& boxes, const EditTexts& texts) {
    for (int k = 1; k <= 7; ++k)
        boxes[k]->setText(texts.numbers[k - 1]);
    boxes[BonusBox]->setText(texts.numbers[7]);
    boxes[SecondExtraBox]->setText(texts.numbers[8]);
}

EntryFailure checkEntryBoxes(const QString& date, const QList<QLineEdit*>& shown,
                             const TLotteryState& state) {
    QStringList numbers;
    for (const QLineEdit* box : shown)
        numbers << box->text();
    const bool drum = !state.DataBonus && state.DataRules.drumNumbers() > 0;
    return checkDrawEntry(date, numbers, drum ? pickBoxes(state) : -1, state.DataRules.extraRange);
}

DrawEntry entryOfBoxes(const QString& date, const NumberBoxes& boxes, const TLotteryState& state) {
    DrawEntry entry;
    entry.date = date;
    for (int k = 1; k <= pickBoxes(state); ++k)
        entry.numbers << boxes[k]->text();
    entry.bonus = boxes[BonusBox]->text();
    entry.secondExtra = boxes[SecondExtraBox]->text();
    return entry;
}

EditTexts editTextsOf(const TDrawTable& table, int row, const QString& dateFormat,
                      const TLotteryState& state) {
    return editTexts(table, row, dateFormat, state.DataPick, state.DataBonus,
                     state.DataBonus ? 0 : state.DataRules.drumNumbers());
}
