#pragma once

#include "DrawUpdate.h"

#include <QObject>
#include <QPointer>

#include <functional>

struct AppContext;
class QProgressDialog;
class QWidget;

// The database window's Update: asks for the address the first time (or when asked to), fetches
// it behind a progress dialog with Cancel, stores the new draws through the import and says what
// happened. Nothing here waits in a nested event loop: each step follows the one before it.
class DrawUpdateFlow : public QObject {
    Q_OBJECT

public:
    // `stored`: called after the import ran on the table, before the message is shown.
    DrawUpdateFlow(AppContext& context, QWidget* window,
                   std::function<void(const DrawImportResult&)> stored);
    ~DrawUpdateFlow() override;

    // `askAddress`: show the address window even when an address is kept.
    void run(bool askAddress);
    bool running() const { return update_.running() || askingAddress_; }
    DrawUpdate& update() { return update_; }

private:
    void addressChosen(const UpdateSource& source);
    void fetch(const QString& address);
    void showProgress(qint64 received, qint64 total);
    void finished(const DrawUpdateOutcome& outcome);

    AppContext& context_;
    QWidget* window_;
    std::function<void(const DrawImportResult&)> stored_;
    DrawUpdate update_;
    QString address_;
    QPointer<QProgressDialog> progress_;
    bool askingAddress_ = false;
};
