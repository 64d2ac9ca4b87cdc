#pragma once

#include <QProxyStyle>

// The platform's style with touches of a current desktop: no stock tick and cross glyphs on
// dialog buttons, a spin box stepped with its arrows does not select its text, message box
// icons as sharp as their text at any scale, and a progress bar in a grey trough, so that before
// it moves it does not pass for an empty text box.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
