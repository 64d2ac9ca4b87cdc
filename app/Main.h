#pragma once

// The main window: settings in and out, the pick selector and range, the Generate / Stop
// button that draws a line and reveals it on the rolling counters, the draw list with its
// Print / Save / Clear, the details of the loaded database and the way to every other window.

#include "state/AppContext.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>

class QButtonGroup;
class TDigits;
class TForm7;
class DrawFilePreload;
class RandomGenerator;

namespace Ui {
class TForm1;
}

class TForm1 : public QWidget {
    Q_OBJECT

public:
    TForm1(AppContext& context, QWidget* parent = nullptr);
    ~TForm1() override;

    // The database window, which this window hides itself behind.
    void setDatabaseWindow(TForm7* window);
    // Where the start-up reload takes the draw file's rows from when they were read already.
    void setStartupPreload(DrawFilePreload* preload) { startupPreload_ = preload; }

    TDigits* digits(int n) const { return digits_[n]; }
    const QStringList& drawList() const { return drawList_; }
    int selection() const;

public slots:
    void RadioGroup1Click();
    void SpinEdit1Change();
    void SpinEdit2Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Button7Click();
    void Button8Click();
    void Button9Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    void DigitsRotate(TDigits* sender);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormPaint();
    void FormDestroy();
    void DoShowHint(const QString& text);

    void setSelection(int index);
    void updateRangeCaption();
    void setLocked(bool locked);
    void instantStop();
    void completeLine();
    void refreshStatisticsButton();
    void setDrawListButtonsEnabled(bool enabled);
    QString path(const QString& fileName) const;
    QString settingsPath() const;

    AppContext& context_;
    std::unique_ptr<Ui::TForm1> ui_;
    std::unique_ptr<RandomGenerator> random_;
    QButtonGroup* pickGroup_ = nullptr;
    std::array<TDigits*, 8> digits_{}; // 1..7
    TForm7* databaseWindow_ = nullptr;
    DrawFilePreload* startupPreload_ = nullptr;

    QStringList drawList_;
    QByteArray soundData_;
    bool soundAvailable_ = false;
    bool firstShow_ = true;
    bool listFaceDue_ = true; // the draw list takes its face after the first paint
    bool linePending_ = false;  // a revealed line not yet added to the draw list
    QString refusedReloadName_; // the database the start-up reload could not open
};
