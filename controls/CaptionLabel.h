#pragma once

#include <QLabel>

// A caption of a column of captions, such as "Total Draws  :" or "     From       1-". The text
// keeps its blanks, but only the leading ones are drawn as such: the words follow them at the
// left, and the mark (the colon, or whatever ends the caption after a run of blanks) is drawn
// at the right edge, so that the marks of captions of one width stand in an exact column
// whatever the font makes of the blanks.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    struct Parts {
        QString indent; // the leading blanks
        QString words;
        QString mark; // empty when the caption has none
    };
    static Parts parts(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
};
