#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class BarChart;

// The chart to assistive technology: one child per bar, named by the bar's label, valued by
// its count and described by whatever the chart was given (the bar's class) and, while the chart
// shows a band, by where the count lies against it.
class BarChartAccessible : public QAccessibleWidget {
public:
    explicit BarChartAccessible(BarChart* chart);
    ~BarChartAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;

private:
    BarChart* chart() const;
    mutable QHash<int, QAccessible::Id> children_;
};

// One bar; reads the chart each time, so it stays right while bars are replaced.
class BarAccessible : public QAccessibleInterface {
public:
    BarAccessible(BarChart* chart, int index) : chart_(chart), index_(index) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    int index() const { return index_; }

private:
    QPointer<BarChart> chart_;
    const int index_;
};

// Makes QAccessible build the interface above for every BarChart; safe to call repeatedly.
void installBarChartAccessibility();
