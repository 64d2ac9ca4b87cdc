#include "DrawUpdateFlow.h"

#include "UpdateSource.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"

#include <QLocale>
#include <QProgressDialog>

DrawUpdateFlow::DrawUpdateFlow(AppContext& context, QWidget* window,
                               std::function<void(const DrawImportResult&)> stored)
    : QObject(window), context_(context), window_(window), stored_(std::move(stored)),
      update_(context.platform.network, context.state, context.table) {}

DrawUpdateFlow::~DrawUpdateFlow() = default;

void DrawUpdateFlow::run(bool askAddress) {
    if (running())
        return;
    const UpdateSource source = readUpdateSource(context_.state.DataHeaderPath);
    if (!askAddress && !source.address.isEmpty()) {
        fetch(source.address);
        return;
    }
    auto* dialog = new UpdateSourceDialog(source, context_.platform.dialogs, window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    askingAddress_ = true;
    connect(dialog, &QDialog::finished, this, [this, dialog](int result) {
        askingAddress_ = false;
        if (result == QDialog::Accepted)
            addressChosen(dialog->source());
    });
    dialog->open();
}

void DrawUpdateFlow::addressChosen(const UpdateSource& source) {
    const QString error = saveUpdateSource(context_.state.DataHeaderPath, source);
    if (!error.isEmpty()) {
        context_.platform.dialogs.error(window_, error);
        return;
    }
    GameRules& rules = context_.state.DataRules;
    rules.updateAddress = source.address;
    rules.updateAtStart = source.atStart;
    fetch(source.address);
}

void DrawUpdateFlow::fetch(const QString& address) {
    address_ = address;
    const QString format = context_.platform.clock.shortDateFormat();
    const QString error = update_.start(
        address, {format, numericDateOrderOf(format), ImportSource::Address},
        [this](qint64 received, qint64 total) { showProgress(received, total); },
        [this](const DrawUpdateOutcome& outcome) { finished(outcome); });
    if (!error.isEmpty()) {
        context_.platform.dialogs.error(window_, error);
        return;
    }
    progress_ = new QProgressDialog(window_);
    progress_->setWindowTitle(QStringLiteral("Update"));
    progress_->setCancelButtonText(QStringLiteral("&Cancel"));
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    progress_->setMinimumDuration(0);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setRange(0, 0);
    progress_->setMinimumWidth(360);
    connect(progress_, &QProgressDialog::canceled, this, [this] { update_.cancel(); });
    showProgress(0, -1);
    progress_->show();
}

void DrawUpdateFlow::showProgress(qint64 received, qint64 total) {
    if (!progress_)
        return;
    QString text = QStringLiteral("Looking for new draws at\n%1\n\n").arg(address_);
    text += QStringLiteral("%1 bytes received").arg(QLocale().toString(received));
    if (total > 0) {
        text += QStringLiteral(" of %1").arg(QLocale().toString(total));
        // In tenths of a percent: a body's size may pass the bar's int range.
        progress_->setRange(0, 1000);
        progress_->setValue(int(qMin(received, total) * 1000 / total));
    }
    progress_->setLabelText(text);
}

void DrawUpdateFlow::finished(const DrawUpdateOutcome& outcome) {
    // Gone before the message: its own timer would show it again over the box.
    delete progress_.data();
    if (outcome.kind == DrawUpdateOutcome::Cancelled)
        return;
    if (stored_)
        stored_(outcome.import);
    DialogService& dialogs = context_.platform.dialogs;
    if (outcome.kind == DrawUpdateOutcome::Failed)
        dialogs.error(window_, outcome.message);
    else if (outcome.import.disagreed > 0)
        dialogs.warning(window_, outcome.message);
    else
        dialogs.information(window_, outcome.message);
}
