#pragma once

#include <QProxyStyle>

// The platform's style with touches of a current desktop: no stock tick and cross glyphs on
// dialog buttons, a spin box stepped with its arrows does not select its text, and message box
// icons as sharp as their text at any scale, at the size that suits the program's small font.
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
};
