#pragma once

// Whether every caption of a window shows whole: each label's and button's size hint fits the
// size it was given (word-wrapped labels by their height for that width).

#include <QAbstractButton>
#include <QLabel>
#include <QStringList>
#include <QStyle>
#include <QWidget>

namespace testfiles {

// "Label4: 70 < 84" for each caption that is cut; empty when all fit.
inline QStringList clippedCaptions(const QWidget& window) {
    QStringList clipped;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QSize hint = label->sizeHint();
        if (label->wordWrap()) {
            const int needed = label->heightForWidth(label->width());
            if (needed > label->height())
                clipped << QStringLiteral("%1: height %2 < %3")
                               .arg(label->objectName())
                               .arg(label->height())
                               .arg(needed);
        } else if (hint.width() > label->width() || hint.height() > label->height()) {
            clipped << QStringLiteral("%1: %2x%3 < %4x%5")
                           .arg(label->objectName())
                           .arg(label->width())
                           .arg(label->height())
                           .arg(hint.width())
                           .arg(hint.height());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty())
            continue;
        // The style's own minimum button width is no part of the caption: its text and the
        // button margins must fit.
        QString text = button->text();
        text.remove(u'&');
        const int needed = button->fontMetrics().horizontalAdvance(text) +
                           2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        if (needed > button->width())
            clipped << QStringLiteral("%1: %2 < %3")
                           .arg(button->objectName())
                           .arg(button->width())
                           .arg(needed);
    }
    return clipped;
}

} // namespace testfiles
