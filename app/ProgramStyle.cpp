#include "ProgramStyle.h"

#include "platform/MessageIcons.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyleOptionProgressBar>
#include <QWidget>

namespace {

QColor troughColor(const QPalette& palette) {
    return palette.color(QPalette::Window).darker(112);
}

} // namespace

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    switch (hint) {
    case SH_DialogButtonBox_ButtonsHaveIcons:
    case SH_SpinBox_SelectOnStep:
        return 0;
    default:
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    if (metric != PM_MessageBoxIconSize)
        return QProxyStyle::pixelMetric(metric, option, widget);
    // 32 at 96 dpi, beside 8-point text; the scale factor is applied on top of it.
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInch() : 96;
    return qRound(32 * dpi / 96);
}

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption* option,
                                 const QWidget* widget) const {
    const QIcon drawn = messageBoxIcon(which);
    return drawn.isNull() ? QProxyStyle::standardIcon(which, option, widget) : drawn;
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    if (element == CE_ProgressBarGroove) {
        if (const auto* bar = qstyleoption_cast<const QStyleOptionProgressBar*>(option)) {
            // Styles fill the groove with the text boxes' colour.
            QStyleOptionProgressBar trough(*bar);
            trough.palette.setColor(QPalette::Base, troughColor(bar->palette));
            QProxyStyle::drawControl(element, &trough, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
