#include "ProgramStyle.h"

#include <QStyleOptionProgressBar>

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
