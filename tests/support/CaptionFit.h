#pragma once

// Every caption of a window whole: for each label, check box, radio button and push button
// with text, the text fits the control's fixed size in the window's font.

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QWidget>

namespace testfiles {

inline QString withoutMnemonic(QString text) {
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text;
}

// "name: needs W x H, has w x h" for every control whose text does not fit.
inline QStringList clippedCaptions(const QWidget& window) {
    QStringList clipped;
    const auto check = [&](const QWidget* control, QSize needed) {
        if (needed.width() > control->width() || needed.height() > control->height())
            clipped << QStringLiteral("%1 \"%2\": needs %3 x %4, has %5 x %6")
                           .arg(control->objectName(), control->property("text").toString())
                           .arg(needed.width())
                           .arg(needed.height())
                           .arg(control->width())
                           .arg(control->height());
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().isEmpty() || !label->pixmap().isNull())
            continue;
        if (label->wordWrap())
            check(label, {0, label->heightForWidth(label->width())});
        else
            check(label, label->sizeHint());
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty())
            continue;
        if (qobject_cast<const QPushButton*>(button)) {
            // A push button's hint has a style minimum; what matters is the text and its margin.
            const int margin =
                button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
            const QFontMetrics metrics = button->fontMetrics();
            check(button, {metrics.horizontalAdvance(withoutMnemonic(button->text())) + 2 * margin,
                           metrics.height()});
        } else {
            // The indicator may overhang a row's height; the text may not.
            check(button, {button->sizeHint().width(), button->fontMetrics().height()});
        }
    }
    return clipped;
}

} // namespace testfiles
