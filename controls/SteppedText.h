#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class QPlainTextEdit;

// Shows a list in a read-only plain text box a step of lines at a time: the first step at
// once, the rest between the window's events, so a wheel of hundreds of thousands of lines
// (1.4 s in one go) never holds the window still. A new list replaces one still being shown.
class SteppedText : public QObject {
    Q_OBJECT

public:
    explicit SteppedText(QPlainTextEdit* edit, int linesPerStep = 5000);
    void show(const QStringList& lines);
    bool showingAll() const { return shown_ >= lines_.size(); }

private:
    void step();

    QPlainTextEdit* edit_;
    const int linesPerStep_;
    QStringList lines_;
    qsizetype shown_ = 0;
    QTimer next_;
};
