#include "BarChartAccessible.h"

#include "BarChart.h"

namespace {

QAccessibleInterface* barChartFactory(const QString&, QObject* object) {
    if (auto* chart = qobject_cast<BarChart*>(object))
        return new BarChartAccessible(chart);
    return nullptr;
}

} // namespace

void installBarChartAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(barChartFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

BarChartAccessible::BarChartAccessible(BarChart* chart)
    : QAccessibleWidget(chart, QAccessible::Chart) {}

BarChartAccessible::~BarChartAccessible() {
    for (const QAccessible::Id id : std::as_const(children_)) {
        if (QAccessible::accessibleInterface(id))
            QAccessible::deleteAccessibleInterface(id);
    }
}

BarChart* BarChartAccessible::chart() const {
    return static_cast<BarChart*>(widget());
}

int BarChartAccessible::childCount() const {
    return chart()->barCount();
}

QAccessibleInterface* BarChartAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    const auto found = children_.constFind(index);
    if (found != children_.constEnd()) {
        if (QAccessibleInterface* const existing = QAccessible::accessibleInterface(*found))
            return existing;
    }
    auto* const bar = new BarAccessible(chart(), index);
    children_.insert(index, QAccessible::registerAccessibleInterface(bar));
    return bar;
}

int BarChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* const bar = dynamic_cast<const BarAccessible*>(child);
    if (!bar || bar->index() >= childCount() || this->child(bar->index()) != child)
        return -1;
    return bar->index();
}

QAccessibleInterface* BarChartAccessible::childAt(int x, int y) const {
    const QPoint local = chart()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i) {
        if (chart()->barRect(i).contains(local))
            return child(i);
    }
    return nullptr;
}

QString BarChartAccessible::text(QAccessible::Text t) const {
    QString own = QAccessibleWidget::text(t);
    if (own.isEmpty() && t == QAccessible::Name)
        own = chart()->accessibleName();
    return own;
}

bool BarAccessible::isValid() const {
    return chart_ && index_ < chart_->barCount();
}

QWindow* BarAccessible::window() const {
    return chart_ ? chart_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* BarAccessible::parent() const {
    return chart_ ? QAccessible::queryAccessibleInterface(chart_.data()) : nullptr;
}

QString BarAccessible::text(QAccessible::Text t) const {
    if (!isValid())
        return {};
    const ChartBar& bar = chart_->bar(index_);
    switch (t) {
    case QAccessible::Name:
        return bar.label;
    case QAccessible::Value:
        return QString::number(bar.value);
    case QAccessible::Description:
        return chart_->barDescription(index_);
    default:
        return {};
    }
}

QRect BarAccessible::rect() const {
    if (!isValid())
        return {};
    const QRect local = chart_->barRect(index_);
    return local.isEmpty() ? QRect() : QRect(chart_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State BarAccessible::state() const {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !isValid() || !chart_->isVisible();
    s.offscreen = !isValid() || chart_->barRect(index_).isEmpty();
    return s;
}
