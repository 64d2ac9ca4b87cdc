#include "DrawUpdate.h"

#include "DrawFile.h"
#include "DrawTable.h"
#include "platform/ProfileFile.h"
#include "state/LotteryState.h"

#include <QUrl>

namespace {

const QString RulesSection = QStringLiteral("Rules");
const QString AddressKey = QStringLiteral("UpdateAddress");
const QString AtStartKey = QStringLiteral("UpdateAtStart");
const QString LastCheckKey = QStringLiteral("LastStartCheck");

// The header must be there already: a new one would hold [Rules] and no game.
QString openHeader(ProfileFile& file) {
    if (!file.exists())
        return QStringLiteral("The database's header file %1 was not found").arg(file.path());
    if (file.readStatus() != FileReadResult::Ok)
        return QStringLiteral("Unable to read %1: %2")
            .arg(file.path(), fileErrorText(file.readError()));
    return {};
}

QString saveHeader(const ProfileFile& file) {
    return file.save() ? QString() : writeFileMessage(WriteFileResult::CannotCreate, file.path());
}

} // namespace

UpdateSource readUpdateSource(const QString& headerPath) {
    const ProfileFile file(headerPath);
    UpdateSource source;
    source.address = file.readString(RulesSection, AddressKey, {}).trimmed();
    source.atStart = file.readInt(RulesSection, AtStartKey, 0) != 0;
    source.lastStartCheck = file.readString(RulesSection, LastCheckKey, {}).trimmed();
    return source;
}

QString saveUpdateSource(const QString& headerPath, const UpdateSource& source) {
    ProfileFile file(headerPath);
    if (QString error = openHeader(file); !error.isEmpty())
        return error;
    file.writeString(RulesSection, AddressKey, source.address);
    file.writeInt(RulesSection, AtStartKey, source.atStart ? 1 : 0);
    return saveHeader(file);
}

QString saveLastStartCheck(const QString& headerPath, const QDate& day) {
    ProfileFile file(headerPath);
    if (QString error = openHeader(file); !error.isEmpty())
        return error;
    file.writeString(RulesSection, LastCheckKey, day.toString(Qt::ISODate));
    return saveHeader(file);
}

QString updateAddressError(const QString& address) {
    const QString text = address.trimmed();
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (text.isEmpty())
        return QStringLiteral("Type the address of a results page, such as "
                              "https://example.org/results.csv.");
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return QStringLiteral("%1 is not an http or https address.").arg(text);
    return {};
}

bool startCheckDue(const UpdateSource& source, const QDate& today) {
    return source.atStart && updateAddressError(source.address).isEmpty() &&
           source.lastStartCheck != today.toString(Qt::ISODate);
}

QString updateFailureText(const QString& address, const QString& cause) {
    return QStringLiteral("Could not look for new draws at %1. %2").arg(address, cause);
}

DrawUpdate::DrawUpdate(NetworkService* network, TLotteryState& state, TDrawTable& table)
    : network_(network), state_(state), table_(table) {}

DrawUpdate::~DrawUpdate() = default;

QString DrawUpdate::start(const QString& address, const DrawImportOptions& options,
                          Progress progress, Done done) {
    if (running())
        return QStringLiteral("New draws are being looked for already.");
    address_ = address.trimmed();
    if (QString error = updateAddressError(address_); !error.isEmpty())
        return error;
    if (!state_.DatabaseLoaded)
        return QStringLiteral("No database is loaded.");
    if (!network_)
        return updateFailureText(address_, QStringLiteral("The network could not be started."));
    headerPath_ = state_.DataHeaderPath;
    options_ = options;
    options_.source = ImportSource::Address;
    done_ = std::move(done);
    FetchCallbacks callbacks;
    callbacks.progress = std::move(progress);
    callbacks.done = [this](const FetchResult& result) { fetched(result); };
    job_ = network_->fetch(QUrl(address_, QUrl::StrictMode), limits, std::move(callbacks));
    return {};
}

void DrawUpdate::cancel() {
    if (job_)
        job_->cancel();
}

void DrawUpdate::fetched(const FetchResult& fetch) {
    job_.release()->deleteLater(); // this call comes from inside it
    DrawUpdateOutcome outcome;
    outcome.address = address_;
    if (fetch.status == FetchResult::Cancelled) {
        outcome.kind = DrawUpdateOutcome::Cancelled;
    } else if (fetch.status == FetchResult::Failed) {
        outcome.cause = fetch.cause;
        outcome.message = updateFailureText(address_, fetch.cause);
    } else if (!state_.DatabaseLoaded || state_.DataHeaderPath != headerPath_) {
        outcome.cause = QStringLiteral("Another database was loaded meanwhile.");
    } else if (const QString reason = busy ? busy() : QString(); !reason.isEmpty()) {
        outcome.cause = reason;
    } else {
        DrawImport import = readDrawHistoryBytes(fetch.body, address_, state_, table_, options_);
        applyDrawImport(import, state_, table_);
        outcome.import = import.result;
        outcome.cause = import.result.error;
        if (outcome.cause.isEmpty())
            outcome.kind =
                import.result.added > 0 ? DrawUpdateOutcome::Stored : DrawUpdateOutcome::NothingNew;
    }
    if (outcome.kind == DrawUpdateOutcome::Failed) {
        if (!outcome.cause.endsWith(u'.'))
            outcome.cause += u'.';
        // The import's own refusals may name the address already.
        if (outcome.message.isEmpty())
            outcome.message = outcome.cause.contains(address_)
                                  ? outcome.cause
                                  : updateFailureText(address_, outcome.cause);
    } else if (outcome.kind != DrawUpdateOutcome::Cancelled) {
        outcome.message = drawImportSummary(outcome.import);
    }
    Done done = std::move(done_);
    done(outcome);
}
