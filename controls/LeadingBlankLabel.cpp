#include "LeadingBlankLabel.h"

#include <QLabel>
#include <QRect>
#include <QVariant>

void showPastLeadingBlank(QLabel& label, const QString& text) {
    if (label.text() != text)
        label.setText(text);
    // Where the label was placed before it was first moved, widened on the left by the blank.
    static const char* const Placed = "placedGeometry";
    if (!label.property(Placed).isValid())
        label.setProperty(Placed, label.geometry());
    const QRect placed = label.property(Placed).toRect();
    qsizetype lead = 0;
    while (lead < text.size() && text[lead] == u' ')
        ++lead;
    const int shift = lead > 0 ? label.fontMetrics().horizontalAdvance(text.left(lead)) : 0;
    label.setGeometry(placed.adjusted(-shift, 0, 0, 0));
}
