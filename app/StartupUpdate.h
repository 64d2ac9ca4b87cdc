#pragma once

#include "database/DrawUpdate.h"

#include <QDate>
#include <functional>

struct AppContext;

// The look for new draws at start-up: only when the loaded game asks for it, at most once a
// day, in the background once the main window is up. What happened goes to the status line;
// no box ever interrupts the start.
class StartupUpdate {
public:
    // Told of the draws stored; returns what they led to, said after the count ("Your
    // tickets for 19/11/25: ..."), or "".
    using Stored = std::function<QString(const DrawImportResult& result)>;
    using Say = std::function<void(const QString& text)>;

    StartupUpdate(AppContext& context, Stored stored, Say say);

    // Starts the look when it is due on `today`; false when it is not (nothing is touched).
    bool start(const QDate& today);
    DrawUpdate& update() { return update_; }

    // "2 new draws stored", "Could not look for new draws: ...".
    static QString statusText(const DrawUpdateOutcome& outcome);

private:
    AppContext& context_;
    Stored stored_;
    Say say_;
    DrawUpdate update_;
};
