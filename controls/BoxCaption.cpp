#include "BoxCaption.h"

#include <QEvent>
#include <QWidget>

namespace {

// Watches the box; owned by the caption, so it goes with it.
class CaptionFollower : public QObject {
public:
    CaptionFollower(QWidget* caption, QWidget* box) : QObject(caption), caption_(caption) {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShowToParent)
            caption_->show();
        else if (event->type() == QEvent::HideToParent)
            caption_->hide();
        return false;
    }

private:
    QWidget* const caption_;
};

} // namespace

void keepCaptionWithBox(QWidget* caption, QWidget* box) {
    caption->setVisible(!box->isHidden());
    new CaptionFollower(caption, box);
}
