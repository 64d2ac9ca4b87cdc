#include "Main.h"

#include "lines/CheckFile.h"
#include "lines/CheckFileDialog.h"
#include "lines/LineGenerator.h"
#include "lines/ListPage.h"
#include "state/LotteryState.h"
#include "lines/RandomGenerator.h"
#include "Settings.h"
#include "controls/StatusHint.h"
#include "ui_Main.h"

#include "about/About.h"
#include "advanced/Advanced.h"
#include "check/Check.h"
#include "controls/DigitArt.h"
#include "controls/Digits.h"
#include "controls/DrawListFont.h"
#include "controls/FitText.h"
#include "controls/GroupBoxRoom.h"
#include "controls/LeadingBlankLabel.h"
#include "database/Database.h"
#include "database/DatabaseHeader.h"
#include "database/DatabaseOps.h"
#include "database/DrawTable.h"
#include "filters/Exclude.h"
#include "filters/Favorite.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"
#include "platform/PrintOrSave.h"
#include "platform/SafeFile.h"
#include "platform/SoundOutput.h"
#include "stats/Stats.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>

#include <cmath>

namespace {
const QString SoundFileName = QStringLiteral("SOUND.DAT");
// A tick lasts a fraction of a second; a larger file is no sound of ours.
constexpr qint64 MaxSoundFileSize = 4 * 1024 * 1024;
const QString GenerateCaption = QStringLiteral("&Generate");
const QString GenerateHint = QStringLiteral("|Generate some random numbers");
const QString StopCaption = QStringLiteral("St&op");
const QString StopHint = QStringLiteral("|Press again to get some instant random numbers");
} // namespace

TForm1::TForm1(AppContext& context, QWidget* parent)
    : QWidget(parent), context_(context), ui_(std::make_unique<Ui::TForm1>()),
      random_(std::make_unique<RandomGenerator>()) {
    ui_->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(500, 387);

    digits_ = {nullptr,      ui_->Digits1, ui_->Digits2, ui_->Digits3,
               ui_->Digits4, ui_->Digits5, ui_->Digits6, ui_->Digits7};
    // Drawn for the screen's pixel density, so the drums are as sharp as the text beside them.
    const QImage strip = DigitArt::counterStrip(devicePixelRatioF());
    for (int n = 1; n <= TLotteryState::MaxPick; ++n) {
        digits_[n]->setBmpDigits(strip);
        connect(digits_[n], &TDigits::OnRotate, this, &TForm1::DigitsRotate);
    }

    pickGroup_ = new QButtonGroup(this);
    const QList<QAbstractButton*> radios = {ui_->RadioButton1, ui_->RadioButton2, ui_->RadioButton3,
                                            ui_->RadioButton4, ui_->RadioButton5, ui_->RadioButton6,
                                            ui_->RadioButton7};
    for (int i = 0; i < radios.size(); ++i)
        pickGroup_->addButton(radios[i], i);
    connect(pickGroup_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RadioGroup1Click();
    });

    // The range is changed with the arrows only.
    for (QSpinBox* spin : {ui_->SpinEdit1, ui_->SpinEdit2})
        spin->findChild<QLineEdit*>()->setReadOnly(true);
    connect(ui_->SpinEdit1, &QSpinBox::valueChanged, this, &TForm1::SpinEdit1Change);
    connect(ui_->SpinEdit2, &QSpinBox::valueChanged, this, &TForm1::SpinEdit2Change);

    connect(ui_->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(ui_->Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(ui_->Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(ui_->Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(ui_->Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
    connect(ui_->Button6, &QPushButton::clicked, this, &TForm1::Button6Click);
    connect(ui_->Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
    connect(ui_->Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
    connect(ui_->Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
    connect(ui_->Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
    connect(ui_->Button11, &QPushButton::clicked, this, &TForm1::Button11Click);
    connect(ui_->Button12, &QPushButton::clicked, this, &TForm1::Button12Click);

    // The two filter captions in their colours. A palette does it without the style sheet
    // machinery, which would cost every start a style of its own for two labels.
    for (const auto& [label, colour] : {std::pair{ui_->Label15, QColor(0xff, 0, 0)},
                                        std::pair{ui_->Label16, QColor(0, 0, 0xff)}}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    giveGroupBoxesTitleRoom(this);
    drawList_ = CheckFile::headerLines();
    ui_->Memo2->setPlainText(drawList_.join(u'\n'));
    FormCreate();
}

TForm1::~TForm1() {
    FormDestroy();
}

QString TForm1::path(const QString& fileName) const {
    return context_.platform.programFolder + fileName;
}

QString TForm1::settingsPath() const {
    return context_.platform.settingsFolder() + QString::fromLatin1(Settings::FileName);
}

int TForm1::selection() const {
    return pickGroup_->checkedId();
}

void TForm1::setSelection(int index) {
    if (QAbstractButton* button = pickGroup_->button(index))
        button->setChecked(true); // runs RadioGroup1Click when the index changes
}

void TForm1::setDatabaseWindow(TForm7* window) {
    databaseWindow_ = window;
    if (window)
        window->installEventFilter(this);
}

void TForm1::FormCreate() {
    TLotteryState& s = context_.state;
    firstShow_ = true;
    context_.hints.setHandler([this](const QString& text) { DoShowHint(text); });

    int stored = selection();
    digits_[7]->hide();
    if (Settings::load(settingsPath(), s, &stored)) {
        ui_->SpinEdit2->setValue(s.LowNumber);
        ui_->SpinEdit1->setValue(s.RandomBound - 1);
        updateRangeCaption();
        setSelection(stored);
    } else {
        s.PickCount = 6;
        s.RandomBound = 50;
        s.LowNumber = 1;
        ui_->SpinEdit1->setValue(49);
        s.DatabaseLoaded = false;
        s.DataLastDraw.clear();
        s.DataTotalDraws = 0;
    }

    s.Generating = false;
    s.GeneratedCount = 0;
    s.UseFavorites = false;
    s.UseExcluded = false;
    s.Favorites.fill(0);
    s.Excluded.fill(0);

    soundAvailable_ = false;
    // The program's sound output answers just after the first paint: asking the sound server
    // is slow and the window need not wait for it.
    context_.platform.sound.askDeviceCount(this, [this](int devices) {
        if (devices <= 0)
            return;
        FileReadResult sound = readRegularFile(path(SoundFileName), MaxSoundFileSize);
        if (sound.ok()) {
            soundData_ = std::move(sound.bytes);
            soundAvailable_ = true;
        }
    });
}

void TForm1::FormDestroy() {
    // Hints have nowhere to go once this window is gone.
    context_.hints.clearHandler();
    if (!soundData_.isEmpty()) {
        context_.platform.sound.stop();
        soundData_.clear();
    }
    // A database whose reload was refused is tried again at the next start, unless another
    // one has been loaded since: its files may be on a drive that was not there yet.
    TLotteryState stored = context_.state;
    if (!stored.DatabaseLoaded && !refusedReloadName_.isEmpty()) {
        stored.DatabaseLoaded = true;
        stored.DataName = refusedReloadName_;
    }
    const QString error = Settings::save(settingsPath(), stored, selection());
    if (!error.isEmpty())
        context_.platform.dialogs.error(nullptr, error);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TForm1::FormShow() {
    TLotteryState& s = context_.state;
    if (!s.DatabaseLoaded || !firstShow_)
        return;
    firstShow_ = false;
    const QString headerPath = headerFilePath(context_.platform.settingsFolder(), s.DataName);
    const DatabaseOpenResult result =
        databaseWindow_ ? databaseWindow_->OpenDatabase(headerPath, startupPreload_)
                        : openDatabase(headerPath, s, context_.table, startupPreload_);
    if (!result.error.isEmpty()) {
        // Nothing was loaded: both windows say so, and nothing can be written over the
        // refused files. The settings keep the name for the next start.
        refusedReloadName_ = s.DataName;
        s.DatabaseLoaded = false;
        if (databaseWindow_)
            databaseWindow_->RefreshDetails();
        context_.platform.dialogs.warning(this, result.error);
    } else if (!result.rulesWarning.isEmpty()) {
        context_.platform.dialogs.warning(this, result.rulesWarning);
    }
    update();
}

void TForm1::paintEvent(QPaintEvent* event) {
    FormPaint();
    QWidget::paintEvent(event);
    // The list's own face costs start-up time (a second family, fitted to the list's width),
    // and the list holds only its four header lines until the first line is made: it takes the
    // face just after the window's first sight.
    if (!listFaceDue_)
        return;
    listFaceDue_ = false;
    QTimer::singleShot(0, this, [this] { useDrawListFont(*ui_->Memo2); });
}

void TForm1::FormPaint() {
    const TLotteryState& s = context_.state;
    const auto show = [](QLabel* label, const QString& text) {
        if (label->text() != text)
            label->setText(text);
    };
    const QString description =
        s.DatabaseLoaded ? s.DataDescription : QStringLiteral("No Database Loaded !!");
    if (ui_->Memo1->toPlainText() != description)
        ui_->Memo1->setPlainText(description);
    if (!s.DatabaseLoaded) {
        for (QLabel* label :
             {ui_->Label10, ui_->Label11, ui_->Label12, ui_->Label13, ui_->Label14, ui_->Label19})
            show(label, QString());
        return;
    }
    // The window is locked while a line is revealed; the lock decides until it ends.
    if (!s.Generating)
        refreshStatisticsButton();
    show(ui_->Label10, s.DataName);
    fitTextToWidth(ui_->Label10);
    show(ui_->Label11, QString::number(s.DataPick));
    show(ui_->Label12, QString::number(s.DataRandom));
    show(ui_->Label13, QString::number(s.DataTotalDraws));
    show(ui_->Label19, s.DataBonus ? QStringLiteral("Yes") : QStringLiteral("No"));
    showPastLeadingBlank(*ui_->Label14, s.DataLastDraw);
}

void TForm1::DoShowHint(const QString& text) {
    showStatusHint(ui_->StatusBar1, text);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the database window brings this window back.
    // Whatever was loaded there is in memory already: reloading it from the program folder
    // could only lose a database opened from another folder.
    if (watched == databaseWindow_ && event->type() == QEvent::Hide && isHidden()) {
        firstShow_ = false;
        show();
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::updateRangeCaption() {
    const TLotteryState& s = context_.state;
    ui_->Label1->setText(rangeCaption(s.PickCount, s.LowNumber, s.RandomBound));
}

void TForm1::RadioGroup1Click() {
    TLotteryState& s = context_.state;
    s.PickCount = selection() + 1;
    for (int n = 1; n <= TLotteryState::MaxPick; ++n) {
        digits_[n]->setVisible(n <= s.PickCount);
        digits_[n]->setValue(0);
    }
    updateRangeCaption();
}

void TForm1::SpinEdit2Change() {
    context_.state.LowNumber = ui_->SpinEdit2->value();
    updateRangeCaption();
}

void TForm1::SpinEdit1Change() {
    context_.state.RandomBound = ui_->SpinEdit1->value() + 1;
    updateRangeCaption();
}

void TForm1::refreshStatisticsButton() {
    ui_->Button5->setEnabled(context_.table.HasDraws());
}

void TForm1::setDrawListButtonsEnabled(bool enabled) {
    for (QPushButton* button : {ui_->Button9, ui_->Button10, ui_->Button11})
        button->setEnabled(enabled);
}

void TForm1::setLocked(bool locked) {
    const QList<QWidget*> controls = {
        ui_->Button2, ui_->Button3,  ui_->Button4,     ui_->Button6,   ui_->Button7,
        ui_->Button8, ui_->Button12, ui_->RadioGroup1, ui_->SpinEdit1, ui_->SpinEdit2};
    for (QWidget* control : controls)
        control->setEnabled(!locked);
    setDrawListButtonsEnabled(!locked);
    if (locked)
        ui_->Button5->setEnabled(false);
    else
        refreshStatisticsButton();
}

void TForm1::Button1Click() {
    TLotteryState& s = context_.state;
    if (context_.platform.sound.deviceCount() > 0 && !soundData_.isEmpty() &&
        QFileInfo::exists(path(SoundFileName)))
        soundAvailable_ = true;
    if (correctRange(s)) {
        ui_->SpinEdit2->setValue(s.LowNumber);
        updateRangeCaption();
    }
    if (s.Generating) {
        instantStop();
        return;
    }
    const QString problem = generationProblem(s);
    if (!problem.isEmpty()) {
        context_.platform.dialogs.warning(this, problem);
        return;
    }
    setLocked(true);
    for (int n = 1; n <= TLotteryState::MaxPick; ++n)
        digits_[n]->setValue(0);
    random_->setSeed(
        RandomGenerator::seedFromTimeOfDay(context_.platform.clock.millisecondsSinceMidnightUtc()));
    for (int k = 1; k <= s.PickCount; ++k) {
        s.LineNumbers[k] = 0;
        s.LineText[k] = QStringLiteral("00");
    }
    if (!drawLine(s, *random_)) {
        setLocked(false);
        context_.platform.dialogs.warning(
            this, QStringLiteral("No line could be drawn with these favourite and excluded "
                                 "numbers. Please change them and try again."));
        return;
    }
    ui_->Button1->setText(StopCaption);
    context_.hints.setHint(ui_->Button1, StopHint);
    s.Generating = true;
    linePending_ = true;
    for (int n = 1; n <= s.PickCount; ++n)
        digits_[n]->Increment();
}

void TForm1::instantStop() {
    TLotteryState& s = context_.state;
    soundAvailable_ = false;
    for (int n = 1; n <= TLotteryState::MaxPick; ++n)
        digits_[n]->setValue(s.LineNumbers[n]);
    // The line is added now rather than when the last roll ends, so a Generate pressed at once
    // cannot lose it.
    completeLine();
}

void TForm1::DigitsRotate(TDigits* sender) {
    const TLotteryState& s = context_.state;
    if (!s.Generating)
        return; // a roll that was still running when the line was stopped
    const int n = int(std::find(digits_.begin(), digits_.end(), sender) - digits_.begin());
    // A counter above the pick count may still end a roll of an earlier, longer line: it
    // takes no part in this one.
    if (n < 1 || n > s.PickCount)
        return;
    if (sender->Value() != s.LineNumbers[n]) {
        sender->Increment();
        return;
    }
    if (soundAvailable_)
        context_.platform.sound.play(soundData_);
    if (n == s.PickCount)
        completeLine();
}

void TForm1::completeLine() {
    TLotteryState& s = context_.state;
    if (!linePending_)
        return;
    linePending_ = false;
    ++s.GeneratedCount;
    ui_->Label17->setText(QStringLiteral("Total Generated Draws : %1").arg(s.GeneratedCount));
    ui_->Button1->setText(GenerateCaption);
    context_.hints.setHint(ui_->Button1, GenerateHint);
    s.Generating = false;
    const QString line =
        lineListText(s, drawLineExtras(s, s.PickCount, s.RandomBound - 1, *random_));
    drawList_ << line;
    ui_->Memo2->appendPlainText(line);
    setLocked(false);
}

void TForm1::Button9Click() {
    printTextOrSave(this, context_.platform,
                    ListPage::page(context_.state, drawList_, QStringLiteral("Draw list")));
}

void TForm1::Button10Click() {
    saveCheckFileAs(this, context_.platform.dialogs, drawList_);
}

void TForm1::Button11Click() {
    drawList_ = CheckFile::headerLines();
    ui_->Memo2->setPlainText(drawList_.join(u'\n'));
    context_.state.GeneratedCount = 0;
    ui_->Label17->setText(QStringLiteral("Total Generated Draws : 0"));
    setDrawListButtonsEnabled(false);
}

void TForm1::Button2Click() {
    TForm3 dialog(context_, ui_->Label15, this);
    dialog.exec();
}

void TForm1::Button12Click() {
    TForm5 dialog(context_, ui_->Label16, this);
    dialog.exec();
}

void TForm1::Button3Click() {
    if (!databaseWindow_)
        return;
    databaseWindow_->show();
    hide();
}

void TForm1::Button4Click() {
    ui_->StatusBar1->clearMessage();
    TForm6 checker(context_, this);
    checker.exec();
}

void TForm1::Button5Click() {
    ui_->StatusBar1->clearMessage();
    TForm8 statistics(context_, this);
    statistics.exec();
}

void TForm1::Button6Click() {
    ui_->StatusBar1->clearMessage();
    TForm9 advanced(context_, ui_->Label1, ui_->SpinEdit2, this);
    advanced.exec();
}

void TForm1::Button7Click() {
    TForm2 about(this);
    about.exec();
}

void TForm1::Button8Click() {
    close();
}
