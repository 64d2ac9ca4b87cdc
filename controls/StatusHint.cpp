#include "StatusHint.h"

#include <QStatusBar>
#include <QStyle>

void showStatusHint(QStatusBar* bar, const QString& hint) {
    // The bar's message area: its width less the frame and margins the style draws around it.
    const int room = bar->width() - 2 * bar->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) -
                     2 * bar->fontMetrics().averageCharWidth();
    const QString shown =
        room > 0 ? bar->fontMetrics().elidedText(hint, Qt::ElideRight, room) : hint;
    bar->showMessage(shown);
    // What the ellipsis hides is read by pointing at the bar.
    bar->setToolTip(shown == hint ? QString() : hint);
}
