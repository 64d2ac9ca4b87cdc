#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// The application's one hint handler. Controls carry their long hint as their statusTip,
// "|" followed by the text; when the mouse enters a control the text after the "|" goes to
// whichever handler is installed (normally the status bar of the window in front).
class HintDisplay : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QString& text)>;

    // Installs itself as an application-wide event filter.
    explicit HintDisplay(QObject* parent = nullptr);
    ~HintDisplay() override;

    void setHandler(Handler handler) { handler_ = std::move(handler); }
    void clearHandler() { handler_ = nullptr; }
    const Handler& handler() const { return handler_; }

    // Changes a control's hint; when it is the one shown, the new text shows at once.
    void setHint(QWidget* control, const QString& hint);

    // The text after the first "|", or the whole hint when it has none.
    static QString longHint(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& text);

    Handler handler_;
    QPointer<QWidget> shownFor_; // the control whose hint is showing
};
