#include "NumberFilterDialog.h"
#include "ui_NumberFilterDialog.h"

#include "controls/AutoAdvance.h"

#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

NumberFilterDialog::NumberFilterDialog(AppContext& context, QLabel* usingLabel,
                                       const NumberFilterDescription& description, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), usingLabel_(usingLabel), description_(description),
      ui_(std::make_unique<Ui::NumberFilterDialog>()) {
    ui_->setupUi(this);
    edits_ = {nullptr,    ui_->Edit1, ui_->Edit2, ui_->Edit3,
              ui_->Edit4, ui_->Edit5, ui_->Edit6, ui_->Edit7};
    for (int k = 1; k <= NumberFilter::BoxCount; ++k)
        edits_[k]->installEventFilter(this);

    connect(ui_->Button1, &QPushButton::clicked, this, &NumberFilterDialog::Button1Click);
    connect(ui_->Button2, &QPushButton::clicked, this, &NumberFilterDialog::Button2Click);
    connect(ui_->Button3, &QPushButton::clicked, this, &NumberFilterDialog::Button3Click);

    FormCreate();
}

NumberFilterDialog::~NumberFilterDialog() = default;

void NumberFilterDialog::FormCreate() {
    setObjectName(description_.objectName);
    setWindowTitle(description_.caption);
    ui_->Button1->setStatusTip(QLatin1Char('|') + description_.useHint);
    ui_->Button2->setStatusTip(QLatin1Char('|') + description_.clearHint);
    ui_->Button3->setStatusTip(QLatin1Char('|') + description_.closeHint);

    QWidget* previous = nullptr;
    for (const QString& name : description_.tabOrder) {
        auto* const widget = findChild<QWidget*>(name);
        Q_ASSERT(widget);
        if (previous && widget)
            setTabOrder(previous, widget);
        previous = widget;
    }

    const TLotteryState& state = context_.state;
    const int shown = NumberFilter::boxCount(description_.list, state);
    for (int k = 1; k <= NumberFilter::BoxCount; ++k)
        edits_[k]->setVisible(k <= shown);
    centreShownBoxes(shown);
    setBoxTexts(NumberFilter::prefillTexts(NumberFilter::slotsOf(state, description_.list),
                                           NumberFilter::inForceOf(state, description_.list)));

    setFixedSize(size());
    if (const QScreen* const screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

// The row of seven boxes spans the buttons below it; fewer boxes keep their spacing and stand
// centred over the buttons, so a short row does not hang off to the left.
void NumberFilterDialog::centreShownBoxes(int shown) {
    if (shown <= 0 || shown >= NumberFilter::BoxCount)
        return;
    const int step = edits_[2]->x() - edits_[1]->x();
    const int rowLeft = edits_[1]->x();
    const int rowRight = edits_[NumberFilter::BoxCount]->geometry().right();
    const int width = edits_[shown]->geometry().right() - rowLeft;
    const int left = rowLeft + (rowRight - rowLeft - width) / 2;
    for (int k = 1; k <= shown; ++k)
        edits_[k]->move(left + (k - 1) * step, edits_[k]->y());
}

void NumberFilterDialog::Button1Click() {
    TLotteryState& state = context_.state;
    const auto result = NumberFilter::use(description_.list, state, boxTexts());
    NumberFilter::apply(state, description_.list, result);
    for (const QString& warning : result.warnings)
        context_.platform.dialogs.warning(this, warning);
    setBoxTexts(result.texts);
    showLabelForFlag();
    if (result.closes)
        accept();
}

void NumberFilterDialog::Button2Click() {
    NumberFilter::clear(context_.state, description_.list);
    setBoxTexts({});
    showLabelForFlag();
}

void NumberFilterDialog::Button3Click() {
    showLabelForFlag();
    QDialog::reject();
}

void NumberFilterDialog::reject() {
    Button3Click();
}

bool NumberFilterDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        for (int k = 1; k <= NumberFilter::BoxCount; ++k)
            if (watched == edits_[k])
                EditKeyDown(edits_[k], static_cast<const QKeyEvent&>(*event));
    }
    // The key still reaches the box it was pressed in.
    return QDialog::eventFilter(watched, event);
}

void NumberFilterDialog::EditKeyDown(QLineEdit* edit, const QKeyEvent& event) {
    AutoAdvance::keyDown(this, edit, event);
}

NumberFilter::BoxTexts NumberFilterDialog::boxTexts() const {
    NumberFilter::BoxTexts texts;
    for (int k = 1; k <= NumberFilter::BoxCount; ++k)
        texts[k] = edits_[k]->text();
    return texts;
}

void NumberFilterDialog::setBoxTexts(const NumberFilter::BoxTexts& texts) {
    for (int k = 1; k <= NumberFilter::BoxCount; ++k)
        edits_[k]->setText(texts[k]);
}

void NumberFilterDialog::showLabelForFlag() {
    if (usingLabel_)
        usingLabel_->setVisible(NumberFilter::inForceOf(context_.state, description_.list));
}
