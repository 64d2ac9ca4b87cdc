#pragma once

#include <QLabel>

// A details caption such as "Total Draws  :". The text keeps its blanks, but the words are
// drawn at the left and the colon at the right edge, so the colons of captions of one width
// stand in an exact column whatever the font makes of the blanks.
class CaptionLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The words before the colon, without the padding blanks.
    static QString words(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;
};
