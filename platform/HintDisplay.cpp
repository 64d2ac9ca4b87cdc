#include "HintDisplay.h"

#include <QCoreApplication>
#include <QStatusTipEvent>

HintDisplay::HintDisplay(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

HintDisplay::~HintDisplay() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

QString HintDisplay::longHint(const QString& hint) {
    const int bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

bool HintDisplay::eventFilter(QObject* watched, QEvent* event) {
    // Qt sends a status tip to a widget as the mouse enters it (and an empty one as it leaves);
    // the first receiver decides, so parents never see the raw "|" text.
    if (event->type() == QEvent::StatusTip) {
        if (handler_)
            handler_(longHint(static_cast<QStatusTipEvent*>(event)->tip()));
        return true;
    }
    return QObject::eventFilter(watched, event);
}
