#include "controls/SteppedText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

SteppedText::SteppedText(QPlainTextEdit* edit, int linesPerStep)
    : QObject(edit), edit_(edit), linesPerStep_(linesPerStep) {
    // Lines added at the end are never undone: no undo history to keep for them.
    edit_->document()->setUndoRedoEnabled(false);
    next_.setInterval(0);
    connect(&next_, &QTimer::timeout, this, &SteppedText::step);
}

void SteppedText::show(const QStringList& lines) {
    lines_ = lines;
    shown_ = std::min<qsizetype>(lines_.size(), linesPerStep_);
    edit_->setPlainText(lines_.mid(0, shown_).join(u'\n'));
    if (showingAll())
        next_.stop();
    else
        next_.start();
}

// Added through a cursor of the document's own: the view stays where the user has it.
void SteppedText::step() {
    const qsizetype count = std::min<qsizetype>(lines_.size() - shown_, linesPerStep_);
    QTextCursor end(edit_->document());
    end.movePosition(QTextCursor::End);
    end.insertText(u'\n' + lines_.mid(shown_, count).join(u'\n'));
    shown_ += count;
    if (showingAll())
        next_.stop();
}
