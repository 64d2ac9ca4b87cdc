#include "GroupBoxRoom.h"

#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <climits>

namespace {

constexpr int Clearance = 2; // pixels between the frame's inner edge and the first row

int contentsTop(const QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame;
    if (!box->title().isEmpty())
        option.subControls |= QStyle::SC_GroupBoxLabel;
    if (box->isFlat())
        option.features |= QStyleOptionFrame::Flat;
    return box->style()
        ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, box)
        .top();
}

} // namespace

void giveGroupBoxesTitleRoom(QWidget* window) {
    for (QGroupBox* box : window->findChildren<QGroupBox*>()) {
        const QList<QWidget*> children =
            box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        int firstRow = INT_MAX;
        for (const QWidget* child : children)
            firstRow = qMin(firstRow, child->y());
        if (children.isEmpty() || box->title().isEmpty())
            continue;
        const int shift = contentsTop(box) + Clearance - firstRow;
        if (shift <= 0)
            continue;
        for (QWidget* child : children)
            child->move(child->x(), child->y() + shift);
        box->resize(box->width(), box->height() + shift);
    }
}
