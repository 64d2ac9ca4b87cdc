#pragma once

#include "DrawImport.h"
#include "platform/NetworkService.h"

#include <QDate>
#include <QString>

#include <functional>
#include <memory>

struct TLotteryState;
class TDrawTable;

// New draws from a web address: the page is fetched whole (bounded in size and in silence) and
// handed to the import as a results file would be. The address and the start-up choice are kept
// with the game, in its header's [Rules] section; nothing is fetched before the address passed
// its check, and a failure leaves the table, the state and the files as they were.

struct UpdateSource {
    QString address;
    bool atStart = false;   // look for new draws when the program starts
    QString lastStartCheck; // yyyy-MM-dd of the last look at start-up
};

UpdateSource readUpdateSource(const QString& headerPath);
// Writes the address and the start-up choice in place; "" or why the header was not written.
QString saveUpdateSource(const QString& headerPath, const UpdateSource& source);
QString saveLastStartCheck(const QString& headerPath, const QDate& day);

// "" when `address` is an http or https address with a host, else why it is refused.
QString updateAddressError(const QString& address);
// A look at start-up is due: asked for, with an address, and not yet made on `today`.
bool startCheckDue(const UpdateSource& source, const QDate& today);

constexpr int UpdateStallMs = 30000;

struct DrawUpdateOutcome {
    enum Kind { Stored, NothingNew, Failed, Cancelled };
    Kind kind = Failed;
    QString address;
    QString cause;   // Failed: a sentence
    QString message; // what the user is told: the import's summary, or the failure
    DrawImportResult import;
};

class DrawUpdate {
public:
    using Progress = std::function<void(qint64 received, qint64 total)>;
    using Done = std::function<void(const DrawUpdateOutcome& outcome)>;

    // No `network`: every start fails with the reason.
    DrawUpdate(NetworkService* network, TLotteryState& state, TDrawTable& table);
    ~DrawUpdate();

    FetchLimits limits{MaxImportFileSize, UpdateStallMs, 5};
    // Asked when the page has come: a reason not to touch the table now (a draw being typed),
    // or "".
    std::function<QString()> busy;

    // Starts fetching `address` for the loaded database: "" when started (`done` follows, once),
    // else the message why not.
    QString start(const QString& address, const DrawImportOptions& options, Progress progress,
                  Done done);
    void cancel();
    bool running() const { return job_ != nullptr; }

private:
    void fetched(const FetchResult& fetch);

    NetworkService* network_;
    TLotteryState& state_;
    TDrawTable& table_;
    std::unique_ptr<FetchJob> job_;
    QString address_;
    QString headerPath_; // of the database the draws are for
    DrawImportOptions options_;
    Done done_;
};

// "Could not look for new draws at <address>. <cause>"
QString updateFailureText(const QString& address, const QString& cause);
