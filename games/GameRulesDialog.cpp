#include "GameRulesDialog.h"

#include "games/Money.h"
#include "games/RulesCheck.h"
#include "games/RulesEditing.h"
#include "games/RulesPresets.h"
#include "platform/DialogService.h"

#include "ui_GameRulesDialog.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace {

// ExtraCombo's rows follow ExtraKind.
int extraIndex(ExtraKind kind) {
    return int(kind);
}

ExtraKind extraKindAt(int index) {
    return index == 2   ? ExtraKind::SecondDrum
           : index == 1 ? ExtraKind::SameDrumBonus
                        : ExtraKind::None;
}

bool sameRules(const GameRules& a, const GameRules& b) {
    const bool drum = a.extra == ExtraKind::SecondDrum;
    return a.extra == b.extra && a.priceCents == b.priceCents && a.tiers == b.tiers &&
           (!drum || (a.extraCount == b.extraCount && a.extraRange == b.extraRange));
}

QString amountField(qint64 cents) {
    return cents > 0 ? prizeText(cents) : QString();
}

} // namespace

GameRulesDialog::GameRulesDialog(const Game& game, const GameRules& rules, DialogService& dialogs,
                                 SaveRules save, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::GameRulesDialog>()), game_(game), original_(rules),
      dialogs_(dialogs), save_(std::move(save)) {
    ui_->setupUi(this);
    QHeaderView* header = ui_->PrizeTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    QHeaderView* rows = ui_->PrizeTable->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    // Nine tiers, as most games have, show without scrolling.
    ui_->PrizeTable->setMinimumHeight(header->sizeHint().height() + 9 * rows->defaultSectionSize() +
                                      2 * ui_->PrizeTable->frameWidth() + 2);

    // The same drum's bonus belongs to the header: shown when it says so, never chosen here.
    if (auto* model = qobject_cast<QStandardItemModel*>(ui_->ExtraCombo->model())) {
        if (QStandardItem* bonus = model->item(extraIndex(ExtraKind::SameDrumBonus)))
            bonus->setEnabled(game.bonus);
        for (ExtraKind other : {ExtraKind::None, ExtraKind::SecondDrum})
            if (QStandardItem* item = model->item(extraIndex(other)))
                item->setEnabled(!game.bonus);
    }
    ui_->ExtraCombo->setEnabled(!game.bonus);

    const QVector<RulesPreset> presets = presetsFor(game.pick, game.range, game.bonus);
    ui_->PresetCombo->addItem(QStringLiteral("Custom"));
    for (const RulesPreset& preset : presets)
        ui_->PresetCombo->addItem(preset.name);

    GameRules shown = rules;
    if (!shown.present) {
        shown = GameRules{};
        shown.extra = game.bonus ? ExtraKind::SameDrumBonus : ExtraKind::None;
        shown.extraCount = 1;
        shown.extraRange = 10;
    }
    showRules(shown);
    for (int i = 0; i < presets.size(); ++i) {
        if (rules.present && sameRules(presets[i].rules, rules)) {
            const QSignalBlocker block(ui_->PresetCombo);
            ui_->PresetCombo->setCurrentIndex(i + 1);
        }
    }

    connect(ui_->PresetCombo, &QComboBox::currentIndexChanged, this,
            &GameRulesDialog::PresetComboChange);
    connect(ui_->ExtraCombo, &QComboBox::currentIndexChanged, this,
            &GameRulesDialog::ExtraComboChange);
    connect(ui_->ExtraCountSpin, &QSpinBox::valueChanged, this, &GameRulesDialog::FieldsChange);
    connect(ui_->ExtraRangeSpin, &QSpinBox::valueChanged, this, &GameRulesDialog::FieldsChange);
    connect(ui_->PriceEdit, &QLineEdit::textChanged, this, &GameRulesDialog::FieldsChange);
    connect(ui_->JackpotEdit, &QLineEdit::textChanged, this, &GameRulesDialog::FieldsChange);
    connect(ui_->PrizeTable, &QTableWidget::itemChanged, this, &GameRulesDialog::FieldsChange);
    connect(ui_->AddTierButton, &QPushButton::clicked, this, &GameRulesDialog::AddTierButtonClick);
    connect(ui_->RemoveTierButton, &QPushButton::clicked, this,
            &GameRulesDialog::RemoveTierButtonClick);
    connect(ui_->SaveButton, &QPushButton::clicked, this, &GameRulesDialog::SaveButtonClick);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &GameRulesDialog::CancelButtonClick);
    setFixedSize(sizeHint());
}

GameRulesDialog::~GameRulesDialog() = default;

void GameRulesDialog::showRules(const GameRules& rules) {
    showing_ = true;
    {
        const QSignalBlocker block(ui_->ExtraCombo);
        ui_->ExtraCombo->setCurrentIndex(extraIndex(rules.extra));
    }
    if (rules.extra == ExtraKind::SecondDrum) {
        ui_->ExtraCountSpin->setValue(rules.extraCount);
        ui_->ExtraRangeSpin->setValue(rules.extraRange);
    }
    ui_->PriceEdit->setText(rules.priceCents > 0 ? moneyText(rules.priceCents) : QString());
    ui_->JackpotEdit->setText(amountField(rules.jackpotCents));
    ui_->PrizeTable->setRowCount(int(rules.tiers.size()));
    for (int row = 0; row < rules.tiers.size(); ++row)
        setTierRow(row, rules.tiers[row], rules.extra);
    showing_ = false;
    showExtraState();
    FieldsChange();
}

void GameRulesDialog::setTierRow(int row, const PrizeTier& tier, ExtraKind extra) {
    const TierCells cells = tierCells(tier, extra);
    const QStringList texts = {cells.main, cells.extra, cells.prize};
    for (int column = 0; column < 3; ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        item->setTextAlignment(column == 2 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
        ui_->PrizeTable->setItem(row, column, item);
    }
}

void GameRulesDialog::showExtraState() {
    const bool drum = extraKindAt(ui_->ExtraCombo->currentIndex()) == ExtraKind::SecondDrum;
    for (QWidget* widget :
         {static_cast<QWidget*>(ui_->ExtraCountSpin), static_cast<QWidget*>(ui_->ExtraRangeSpin),
          static_cast<QWidget*>(ui_->ExtraCountLabel), static_cast<QWidget*>(ui_->ExtraRangeLabel)})
        widget->setEnabled(drum);
}

GameRulesDialog::Read GameRulesDialog::readFields() const {
    Read read;
    GameRules& rules = read.rules;
    rules = original_;
    rules.present = true;
    rules.extra = extraKindAt(ui_->ExtraCombo->currentIndex());
    const bool drum = rules.extra == ExtraKind::SecondDrum;
    rules.extraCount = drum ? ui_->ExtraCountSpin->value() : 0;
    rules.extraRange = drum ? ui_->ExtraRangeSpin->value() : 0;
    rules.priceCents = 0;
    rules.jackpotCents = 0;
    const auto amount = [&read](const QLineEdit* edit, const QString& what, qint64* cents) {
        if (!edit->text().trimmed().isEmpty() && !parseMoney(edit->text(), cents) &&
            read.fieldError.isEmpty())
            read.fieldError =
                QStringLiteral("The %1 \"%2\" is not an amount").arg(what, edit->text());
    };
    amount(ui_->PriceEdit, QStringLiteral("price"), &rules.priceCents);
    amount(ui_->JackpotEdit, QStringLiteral("jackpot"), &rules.jackpotCents);
    rules.tiers.clear();
    const QTableWidget* table = ui_->PrizeTable;
    for (int row = 0; row < table->rowCount(); ++row) {
        const auto cell = [table, row](int column) {
            const QTableWidgetItem* item = table->item(row, column);
            return item ? item->text() : QString();
        };
        PrizeTier tier;
        QString error;
        if (parseTierCells({cell(0), cell(1), cell(2)}, rules.extra, &tier, &error))
            rules.tiers << tier;
        read.rowErrors << error;
    }
    return read;
}

GameRules GameRulesDialog::fieldRules() const {
    return readFields().rules;
}

void GameRulesDialog::FieldsChange() {
    if (showing_)
        return;
    const Read read = readFields();
    QString report = tierOddsReport(game_.pick, game_.range, read.rules, read.rowErrors);
    if (!read.fieldError.isEmpty())
        report = read.fieldError + u'\n' + report;
    ui_->TierOddsText->setPlainText(report);
}

void GameRulesDialog::PresetComboChange(int index) {
    const QVector<RulesPreset> presets = presetsFor(game_.pick, game_.range, game_.bonus);
    if (index < 1 || index > presets.size())
        return;
    showRules(presets[index - 1].rules);
}

void GameRulesDialog::ExtraComboChange(int) {
    showExtraState();
    FieldsChange();
}

void GameRulesDialog::AddTierButtonClick() {
    const int row = ui_->PrizeTable->rowCount();
    {
        const QSignalBlocker block(ui_->PrizeTable);
        ui_->PrizeTable->setRowCount(row + 1);
        setTierRow(row, PrizeTier{}, extraKindAt(ui_->ExtraCombo->currentIndex()));
    }
    ui_->PrizeTable->setCurrentCell(row, 0);
    ui_->PrizeTable->editItem(ui_->PrizeTable->item(row, 0));
    FieldsChange();
}

void GameRulesDialog::RemoveTierButtonClick() {
    const int row = ui_->PrizeTable->currentRow();
    if (row < 0)
        return;
    ui_->PrizeTable->removeRow(row);
    FieldsChange();
}

void GameRulesDialog::SaveButtonClick() {
    const Read read = readFields();
    QString problem = read.fieldError;
    for (int row = 0; problem.isEmpty() && row < read.rowErrors.size(); ++row) {
        if (!read.rowErrors[row].isEmpty())
            problem = QStringLiteral("Prize tier %1: %2").arg(row + 1).arg(read.rowErrors[row]);
    }
    if (problem.isEmpty()) {
        problem = rulesError(read.rules, game_.pick, game_.bonus);
        if (!problem.isEmpty())
            problem[0] = problem[0].toUpper();
    }
    if (!problem.isEmpty()) {
        dialogs_.warning(this, problem);
        return;
    }
    const QString error = save_(read.rules);
    if (!error.isEmpty()) {
        dialogs_.error(this, error);
        return;
    }
    accept();
}

void GameRulesDialog::CancelButtonClick() {
    reject();
}
