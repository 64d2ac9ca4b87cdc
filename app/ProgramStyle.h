#pragma once

#include <QProxyStyle>

// The platform's style with a few touches of a current desktop: no stock tick and cross glyphs
// on dialog buttons, a spin box stepped with its arrows does not select its text, and a progress
// bar lies in a grey trough, so that before it moves it does not pass for an empty text box.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
