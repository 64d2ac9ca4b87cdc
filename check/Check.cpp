#include "Check.h"
#include "controls/StatusHint.h"
#include "ui_Check.h"

#include "controls/BoxCaption.h"
#include "controls/DrawListFont.h"

#include "CheckPage.h"
#include "LastDraw.h"
#include "LineMatch.h"
#include "ShownLines.h"
#include "TierResult.h"

#include "lines/CheckFile.h"
#include "lines/CheckFileDialog.h"
#include "tickets/HistoryCheckWindow.h"
#include "state/LotteryState.h"
#include "database/DrawTable.h"
#include "controls/AutoAdvance.h"
#include "platform/DialogService.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"

#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int NumberBoxes = TLotteryState::MaxPick;
constexpr int BonusBox = 8;

int boxCountFor(int pick) {
    return qBound(1, pick, NumberBoxes);
}

QString loadedCaption(qsizetype lineCount) {
    const qsizetype saved = qMax<qsizetype>(0, lineCount - LineMatch::HeaderLineCount);
    return QStringLiteral("Total Loaded Draws : %1").arg(saved);
}

} // namespace

TForm6::TForm6(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), ui_(std::make_unique<Ui::TForm6>()) {
    ui_->setupUi(this);
    setFixedSize(size());
    ui_->StatusBar1->setSizeGripEnabled(false);
    edits_ = {nullptr,    ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4,
              ui_->Edit5, ui_->Edit6, ui_->Edit7, ui_->Edit8};
    const std::array<QLabel*, 9> captions = {nullptr,      ui_->Label8,  ui_->Label9,
                                             ui_->Label10, ui_->Label11, ui_->Label12,
                                             ui_->Label13, ui_->Label14, ui_->Label2};
    for (int k = 1; k <= BonusBox; ++k)
        edits_[k]->installEventFilter(this);

    // Changed by the arrows only.
    ui_->SpinEdit1->findChild<QLineEdit*>()->setReadOnly(true);
    for (QPlainTextEdit* memo : {ui_->Memo1, ui_->Memo2}) {
        QPalette palette = memo->palette();
        palette.setColor(QPalette::Text, Qt::black);
        memo->setPalette(palette);
    }
    // The saved lines and the winning ones alike.
    for (QPlainTextEdit* list : {ui_->Memo1, ui_->Memo2})
        useDrawListFont(*list);
    for (int k = 1; k <= BonusBox; ++k)
        keepCaptionWithBox(captions[k], edits_[k]);

    connect(ui_->Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    connect(ui_->Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
    connect(ui_->Button8, &QPushButton::clicked, this, &TForm6::Button8Click);
    connect(ui_->HistoryButton, &QPushButton::clicked, this, &TForm6::HistoryButtonClick);
    connect(ui_->PrintButton, &QPushButton::clicked, this, &TForm6::PrintButtonClick);
    connect(ui_->SpinEdit1, &QSpinBox::valueChanged, this, &TForm6::SpinEdit1Change);
    connect(ui_->CheckBox1, &QCheckBox::clicked, this, &TForm6::CheckBox1Click);
    connect(ui_->CheckBox2, &QCheckBox::clicked, this, &TForm6::CheckBox2Click);

    FormCreate();
    if (const QScreen* const screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm6::~TForm6() {
    FormDestroy();
}

void TForm6::FormCreate() {
    handedOverHints_ = context_.hints.handler();
    context_.hints.setHandler([this](const QString& text) { DoShowHint(text); });

    const TLotteryState& state = context_.state;
    if (LastDraw::available(state, context_.table)) {
        ui_->Panel1->show();
        ui_->Label15->setText(LastDraw::caption(state, context_.table));
    }
    showNumberBoxes(boxCountFor(state.PickCount));
    edits_[BonusBox]->show();
    showExtraBox();

    loadedLines_ = TextLines::fromList(CheckFile::headerLines());
    showLoadedLines();
    minimumCorrect_ = ui_->SpinEdit1->value();
    includeBonus_ = false;
}

void TForm6::FormDestroy() {
    if (handedOverHints_)
        context_.hints.setHandler(*handedOverHints_);
    handedOverHints_.reset();
}

void TForm6::DoShowHint(const QString& text) {
    showStatusHint(ui_->StatusBar1, text);
}

void TForm6::Button1Click() {
    const QString path = openCheckFileName(this, context_.platform.dialogs);
    if (path.isEmpty())
        return;

    TextLines lines;
    switch (CheckFile::readLines(path, &lines)) {
    case CheckFile::ReadStatus::Read:
        break;
    case CheckFile::ReadStatus::CannotOpen:
        context_.platform.dialogs.error(
            this, QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
        return;
    case CheckFile::ReadStatus::TooLarge:
        context_.platform.dialogs.error(
            this, QStringLiteral("Cannot open file %1\nIt is larger than any check file (%2 MB).")
                      .arg(QDir::toNativeSeparators(path))
                      .arg(CheckFile::MaxFileSize / (1024 * 1024)));
        return;
    }
    loadedLines_ = std::move(lines);
    showLoadedLines();
    if (loadedLines_.size() > LineMatch::HeaderLineCount)
        ui_->Button2->setEnabled(true);
    ui_->HistoryButton->setEnabled(loadedLines_.size() > LineMatch::HeaderLineCount &&
                                   LastDraw::available(context_.state, context_.table));
}

void TForm6::HistoryButtonClick() {
    const PlayedLines played = playedLinesOf(loadedLines_.toList(), LineMatch::HeaderLineCount,
                                             ticketGameOf(context_.state));
    if (!played.error.isEmpty() || played.lines.isEmpty()) {
        context_.platform.dialogs.warning(
            this, played.error.isEmpty() ? QStringLiteral("The file holds no line to check.")
                                         : played.error);
        return;
    }
    THistoryCheck history(context_, played.texts, played.lines, this);
    history.exec();
}

void TForm6::Button2Click() {
    for (int k = 1; k <= BonusBox; ++k) {
        const QString padded = LineMatch::paddedEntry(edits_[k]->text());
        if (padded != edits_[k]->text())
            edits_[k]->setText(padded);
    }
    ui_->Memo1->clear();

    LineMatch::WinningEntries entries;
    for (int k = 1; k <= NumberBoxes; ++k)
        entries.numbers[size_t(k - 1)] = LineMatch::entryOf(edits_[k]->text());
    entries.bonus = LineMatch::entryOf(edits_[BonusBox]->text());

    const GameRules& rules = context_.state.DataRules;
    LineMatch::TierCheck tiers;
    if (context_.state.DatabaseLoaded && rules.present)
        tiers = {&rules, typedExtras(ui_->ExtraEdit->text())};
    const LineMatch::CheckResult result =
        LineMatch::checkLines(loadedLines_, entries, minimumCorrect_, includeBonus_, tiers);
    // In one go: a hundred thousand winning lines are one document, not as many appends.
    ui_->Memo1->setPlainText(result.text);
    printable_ = printedResults(result);
    ui_->PrintButton->setEnabled(true);
}

void TForm6::PrintButtonClick() {
    printTextOrSave(this, context_.platform, printable_);
}

// The winning numbers as they were checked, whatever is typed in the boxes later.
TextPage TForm6::printedResults(const LineMatch::CheckResult& result) const {
    QStringList numbers;
    for (int k = 1; k <= NumberBoxes; ++k)
        if (!edits_[k]->text().isEmpty()) // hidden boxes take part in the check too
            numbers << edits_[k]->text();
    return CheckPage::page(context_.state, numbers, edits_[BonusBox]->text(), minimumCorrect_,
                           includeBonus_, result.text, result.winners);
}

void TForm6::Button8Click() {
    QDialog::reject();
}

void TForm6::reject() {
    Button8Click();
}

void TForm6::SpinEdit1Change() {
    minimumCorrect_ = ui_->SpinEdit1->value();
}

void TForm6::CheckBox1Click() {
    includeBonus_ = ui_->CheckBox1->isChecked();
    ui_->Label6->setVisible(includeBonus_);
}

void TForm6::CheckBox2Click() {
    const TLotteryState& state = context_.state;
    if (ui_->CheckBox2->isChecked()) {
        const int count = boxCountFor(state.DataPick);
        showNumberBoxes(count);
        const int row = context_.table.LastDrawRow();
        for (int k = 1; k <= count; ++k)
            edits_[k]->setText(LastDraw::boxText(context_.table.CellText(k, row)));
        if (state.DataBonus) {
            edits_[BonusBox]->show();
            edits_[BonusBox]->setText(LastDraw::boxText(context_.table.CellText(BonusBox, row)));
        } else {
            // Its text stays and still takes part as the bonus entry.
            edits_[BonusBox]->hide();
        }
        ui_->ExtraEdit->setText(storedExtrasText(context_.table, row, checkedExtraCount(state)));
        showExtraBox();
        return;
    }
    showNumberBoxes(boxCountFor(state.PickCount));
    edits_[BonusBox]->show();
    for (int k = 1; k <= BonusBox; ++k)
        edits_[k]->clear();
    ui_->ExtraEdit->clear();
    showExtraBox();
}

void TForm6::showExtraBox() {
    const int extras = checkedExtraCount(context_.state);
    ui_->ExtraEdit->setVisible(extras > 0);
    ui_->ExtraLabel->setVisible(extras > 0);
    ui_->ExtraLabel->setText(extras > 1 ? QStringLiteral("Extras") : QStringLiteral("Extra"));
    if (extras > 0)
        edits_[BonusBox]->hide();
}

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int k = 1; k <= BonusBox; ++k)
            if (watched == edits_[k])
                EditKeyDown(edits_[k], static_cast<const QKeyEvent&>(*event));
    }
    // The key still reaches the box it was pressed in.
    return QDialog::eventFilter(watched, event);
}

void TForm6::EditKeyDown(QLineEdit* edit, const QKeyEvent& event) {
    AutoAdvance::keyDown(this, edit, event);
}

void TForm6::showNumberBoxes(int count) {
    for (int k = 2; k <= NumberBoxes; ++k)
        edits_[k]->setVisible(k <= count);
}

void TForm6::showLoadedLines() {
    ui_->Memo2->setPlainText(ShownLines::text(loadedLines_));
    ui_->Label7->setText(loadedCaption(loadedLines_.size()));
}
