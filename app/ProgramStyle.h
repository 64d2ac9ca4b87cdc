#pragma once

#include <QProxyStyle>

// The platform's style with two touches of a current desktop: no stock tick and cross glyphs
// on dialog buttons, and a spin box stepped with its arrows does not select its text.
class ProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
