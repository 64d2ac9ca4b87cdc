#include "AutoAdvance.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace AutoAdvance {

void keyDown(QWidget* window, QLineEdit* edit, const QKeyEvent& event) {
    switch (event.key()) {
    // Tab moves focus by itself; modifiers alone are the start of another key.
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return;
    default:
        break;
    }
    if (edit->text().size() != edit->maxLength() - 1)
        return;
    if (QWidget* const next = nextInTabOrder(window, edit))
        next->setFocus(Qt::TabFocusReason);
}

QWidget* nextInTabOrder(const QWidget* window, QWidget* from) {
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w != window && window->isAncestorOf(w) && w->isVisibleTo(window) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus))
            return w;
    }
    return nullptr;
}

} // namespace AutoAdvance
