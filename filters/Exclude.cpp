#include "Exclude.h"

namespace {

NumberFilterDescription excluded() {
    NumberFilterDescription d;
    d.list = NumberFilter::List::Excluded;
    d.objectName = QStringLiteral("Form5");
    d.caption = QStringLiteral("Enter Excluded Numbers");
    d.useHint =
        QStringLiteral("Use the selected Excluded numbers. They will never appear in your lines");
    d.clearHint = QStringLiteral("Clear Excluded numbers");
    d.closeHint = QStringLiteral("Close Excluded selection box");
    // Edit7 comes last: two digits in Edit6 move on to Use.
    d.tabOrder = {QStringLiteral("Edit1"),   QStringLiteral("Edit2"),   QStringLiteral("Edit3"),
                  QStringLiteral("Edit4"),   QStringLiteral("Edit5"),   QStringLiteral("Edit6"),
                  QStringLiteral("Button1"), QStringLiteral("Button2"), QStringLiteral("Button3"),
                  QStringLiteral("Edit7")};
    return d;
}

} // namespace

TForm5::TForm5(AppContext& context, QLabel* usingLabel, QWidget* parent)
    : NumberFilterDialog(context, usingLabel, excluded(), parent) {}
