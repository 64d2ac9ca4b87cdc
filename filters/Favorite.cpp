#include "Favorite.h"

namespace {

NumberFilterDescription favorites() {
    NumberFilterDescription d;
    d.list = NumberFilter::List::Favorites;
    d.objectName = QStringLiteral("Form3");
    d.caption = QStringLiteral("Enter Favorite Numbers");
    d.useHint = QStringLiteral("Use the above numbers. They will always appear in your lines");
    d.clearHint = QStringLiteral("Clear Favorite numbers");
    d.closeHint = QStringLiteral("Close Favorite selection box");
    d.tabOrder = {QStringLiteral("Edit1"),  QStringLiteral("Edit2"),   QStringLiteral("Edit3"),
                  QStringLiteral("Edit4"),  QStringLiteral("Edit5"),   QStringLiteral("Edit6"),
                  QStringLiteral("Edit7"),  QStringLiteral("Button1"), QStringLiteral("Button2"),
                  QStringLiteral("Button3")};
    return d;
}

} // namespace

TForm3::TForm3(AppContext& context, QLabel* usingLabel, QWidget* parent)
    : NumberFilterDialog(context, usingLabel, favorites(), parent) {}
