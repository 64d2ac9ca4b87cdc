#pragma once

#include "state/GameRules.h"

#include <QDialog>
#include <functional>
#include <memory>

class DialogService;

namespace Ui {
class GameRulesDialog;
}

// The rules window: the player's view of a game's extra numbers, price and prize tiers, with
// each tier's exact odds and the expected return kept up to date beneath. Save hands the rules
// to `save` (which stores them and returns "" or the text to show) and closes only when they
// were stored; the window itself writes nothing.
class GameRulesDialog : public QDialog {
    Q_OBJECT

public:
    struct Game {
        int pick = 0;
        int range = 0;
        bool bonus = false; // the header's bonus from the same drum
    };
    using SaveRules = std::function<QString(const GameRules&)>;

    GameRulesDialog(const Game& game, const GameRules& rules, DialogService& dialogs,
                    SaveRules save, QWidget* parent = nullptr);
    ~GameRulesDialog() override;

    // The rules as the fields read now; rows that cannot be read are left out.
    GameRules fieldRules() const;

public slots:
    void PresetComboChange(int index);
    void ExtraComboChange(int index);
    void AddTierButtonClick();
    void RemoveTierButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void FieldsChange();

private:
    struct Read {
        GameRules rules;
        QString fieldError;         // the price or the jackpot cannot be read
        QVector<QString> rowErrors; // one per table row, "" when read
    };
    Read readFields() const;
    void showRules(const GameRules& rules);
    void setTierRow(int row, const PrizeTier& tier, ExtraKind extra);
    void showExtraState();

    std::unique_ptr<Ui::GameRulesDialog> ui_;
    Game game_;
    GameRules original_;
    DialogService& dialogs_;
    SaveRules save_;
    bool showing_ = false; // fields being filled: one odds update at the end
};
