#include "FitText.h"

#include <QFontInfo>
#include <QLabel>

namespace {

const char* const NarrowFaces[] = {"Liberation Sans Narrow", "DejaVu Sans Condensed"};

} // namespace

void fitTextToWidth(QLabel* label) {
    QWidget* parent = label->parentWidget();
    const QFont normal = parent ? parent->font() : QFont();
    if (label->font() != normal)
        label->setFont(normal);
    // The label's own measure of its text, so that what fits here shows whole.
    if (label->sizeHint().width() <= label->width())
        return;
    for (const char* family : NarrowFaces) {
        QFont narrow(QString::fromLatin1(family), normal.pointSize());
        if (QFontInfo(narrow).family() == narrow.family()) {
            label->setFont(narrow);
            return;
        }
    }
}
