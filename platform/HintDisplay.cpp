#include "HintDisplay.h"

#include <QCoreApplication>
#include <QStatusTipEvent>
#include <QWidget>

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

void HintDisplay::show(const QString& text) {
    if (handler_)
        handler_(text);
}

void HintDisplay::setHint(QWidget* control, const QString& hint) {
    control->setStatusTip(hint);
    if (control == shownFor_)
        show(longHint(hint));
}

bool HintDisplay::eventFilter(QObject* watched, QEvent* event) {
    // Qt sends a status tip to a widget as the mouse enters it (and an empty one as it leaves);
    // the first receiver decides, so parents never see the raw "|" text.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        shownFor_ = tip.isEmpty() ? nullptr : qobject_cast<QWidget*>(watched);
        show(longHint(tip));
        return true;
    }
    // A window that closes takes the hint of its control with it. The bar is cleared once the
    // close is over: a window being destroyed hides first, and its handler is handed back after.
    if (event->type() == QEvent::Hide && shownFor_ && watched->isWidgetType()) {
        const auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && (widget == shownFor_ || widget->isAncestorOf(shownFor_))) {
            shownFor_ = nullptr;
            QMetaObject::invokeMethod(this, [this] { show(QString()); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
