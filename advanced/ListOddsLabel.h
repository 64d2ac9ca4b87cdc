#pragma once

#include "state/GameRules.h"

#include <QObject>
#include <QTimer>
#include <QVector>
#include <memory>

class ListOddsJob;
class QLabel;

// The advanced window's line of odds: "working…" while the list's set odds are worked out
// away from the window, then the chances, on one line that takes a narrower or smaller face
// rather than lose its end. The tool tip holds the expected hits among the lines.
class ListOddsLabel : public QObject {
    Q_OBJECT

public:
    explicit ListOddsLabel(QLabel* label);
    ~ListOddsLabel() override;

    // `rules`: the loaded game's, when the lines are for it; then the chance of any prize and
    // the expected return of the lines follow the chances of hits.
    void show(const QVector<QVector<int>>& lines, int lineSize, int highest,
              const GameRules& rules = {});
    void clear();
    // Ends the work in hand, leaving the label as it is.
    void stop();
    bool working() const { return job_ != nullptr; }

private:
    void poll();
    void setText(const QString& text);

    QLabel* const label_;
    std::unique_ptr<ListOddsJob> job_;
    QTimer poll_;
    GameRules rules_;
    int highest_ = 0;
};
