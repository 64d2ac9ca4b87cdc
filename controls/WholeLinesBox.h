#pragma once

#include <QPlainTextEdit>

// A small read-only text box of a few lines (a description) that shows whole lines only: the
// line after the last one that fits stays out of sight instead of peeking in half.
class WholeLinesBox : public QPlainTextEdit {
    Q_OBJECT

public:
    using QPlainTextEdit::QPlainTextEdit;

    // Sizes the box for `lines` whole lines of its font, keeping its place and width and the
    // padding around the text.
    void showWholeLines(int lines);
};
