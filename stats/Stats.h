#pragma once

// The statistics window: one bar per number of the loaded game showing how often it was drawn
// over the first n stored draws, optionally with bonus numbers (or, for a game with a second
// drum, that drum's numbers alone) and coloured hot / average / cold, with value tags, zoom and
// scroll, and printing; the last stored draw under the chart. On request it shows where a fair
// draw's counts would lie and whether these are fair. It only reads the draw table.

#include "platform/HintDisplay.h"
#include "state/AppContext.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class BarChart;
class DrawNumbers;
struct ChartedDrum;

namespace Ui {
class TForm8;
}

class TForm8 : public QDialog {
    Q_OBJECT

public:
    // Bits per pixel of the display the window is on.
    using ColourDepth = std::function<int(const QWidget&)>;

    TForm8(AppContext& context, QWidget* parent = nullptr, ColourDepth colourDepth = {});
    ~TForm8() override;

    BarChart* chart() const;

    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void SpinEdit1Change();
    void Button1Click();
    void Button8Click();

    // Only Close closes the window; Escape and the window manager's close do nothing.
    void reject() override {}

private:
    void FormCreate();
    void FormDestroy();
    void DoShowHint(const QString& text);
    void redraw(bool showClasses);
    void showFairDraw();
    ChartedDrum charted() const;

    AppContext& context_;
    std::unique_ptr<Ui::TForm8> ui_;
    ColourDepth colourDepth_;
    // The table cannot change while this modal window is open: it is read once.
    std::unique_ptr<const DrawNumbers> draws_;
    std::optional<HintDisplay::Handler> handedOverHints_;
};
