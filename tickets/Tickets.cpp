#include "tickets/Tickets.h"

#include "tickets/Prizes.h"
#include "tickets/TicketCheck.h"

#include "database/DrawImportDateCell.h"
#include "database/DrawTable.h"
#include "lines/CheckFile.h"
#include "lines/CheckFileDialog.h"
#include "platform/Clock.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "state/AppContext.h"
#include "state/LotteryState.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int SummaryRows = 4;
constexpr int ListRows = 12;
enum Column { DateColumn, LinesColumn, CostColumn, ResultColumn, ColumnCount };

QPushButton* button(const char* name, const QString& text) {
    auto* push = new QPushButton(text);
    push->setObjectName(QLatin1String(name));
    push->setAutoDefault(false);
    return push;
}

// The day after the last stored draw, in the game's date form; today when none is stored.
QString proposedDate(const TDrawTable& table, const Clock& clock) {
    const QString format = clock.shortDateFormat();
    const QDate last = DateCellFormat(format).dateOf(table.CellText(0, table.LastDrawRow()));
    return last.isValid() ? last.addDays(1).toString(format) : clock.todayShortDate();
}

} // namespace

TTickets::TTickets(AppContext& context, const QStringList& mainList, QWidget* parent)
    : QDialog(parent), context_(context), mainList_(mainList),
      path_(TicketFile::pathFor(context.state.DataHeaderPath, context.state.DataName)) {
    setObjectName(QStringLiteral("Tickets"));
    setWindowTitle(QStringLiteral("My Tickets"));
    buildControls();
    drawDateEdit_->setText(proposedDate(context.table, context.platform.clock));
    const TicketFile::ReadResult read = TicketFile::read(path_);
    tickets_ = read.tickets;
    fileRefused_ = !read.error.isEmpty();
    showTickets();
    if (fileRefused_)
        summaryText_->setPlainText(read.error);
}

TTickets::~TTickets() = default;

void TTickets::buildControls() {
    drawDateEdit_ = new QLineEdit;
    drawDateEdit_->setObjectName(QStringLiteral("DrawDateEdit"));
    drawDateEdit_->setMaxLength(10);
    const QFontMetrics metrics(drawDateEdit_->font());
    drawDateEdit_->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("8888/88/88")) + 12);
    auto* dateLabel = new QLabel(QStringLiteral("&Draw:"));
    dateLabel->setBuddy(drawDateEdit_);
    addListButton_ = button("AddListButton", QStringLiteral("Add the main window's &list"));
    addFileButton_ = button("AddFileButton", QStringLiteral("Add a check &file..."));

    ticketList_ = new QTableWidget(0, ColumnCount);
    ticketList_->setObjectName(QStringLiteral("TicketList"));
    ticketList_->setHorizontalHeaderLabels(
        {QStringLiteral("Draw"), QStringLiteral("Lines"), QStringLiteral("Cost"),
         QStringLiteral("Result")});
    ticketList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ticketList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    ticketList_->setSelectionMode(QAbstractItemView::SingleSelection);
    ticketList_->verticalHeader()->hide();
    ticketList_->verticalHeader()->setDefaultSectionSize(ticketList_->fontMetrics().height() + 6);
    ticketList_->horizontalHeader()->setStretchLastSection(true);
    ticketList_->setColumnHidden(CostColumn, !ticketGameOf(context_.state).hasPrice());
    const QFontMetrics listMetrics(ticketList_->font());
    const int dateWidth = listMetrics.horizontalAdvance(QStringLiteral(" 88/88/88 ")) + 12;
    ticketList_->setColumnWidth(DateColumn, dateWidth);
    ticketList_->setColumnWidth(LinesColumn, listMetrics.horizontalAdvance(QStringLiteral("Lines")) + 16);
    ticketList_->setColumnWidth(CostColumn, listMetrics.horizontalAdvance(QStringLiteral("8,888.88")) + 16);
    ticketList_->setMinimumSize(
        listMetrics.horizontalAdvance(QStringLiteral("2 lines with 3 hits, 1 with 4 · 107.00")) +
            dateWidth * 3 + 24,
        listMetrics.lineSpacing() * ListRows);

    removeButton_ = button("RemoveButton", QStringLiteral("&Remove"));
    removeButton_->setEnabled(false);
    summaryText_ = new QPlainTextEdit;
    summaryText_->setObjectName(QStringLiteral("SummaryText"));
    summaryText_->setReadOnly(true);
    summaryText_->setFixedHeight(summaryText_->fontMetrics().lineSpacing() * SummaryRows +
                                 2 * summaryText_->frameWidth() + 8);
    closeButton_ = button("CloseButton", QStringLiteral("&Close"));

    auto* top = new QHBoxLayout;
    top->addWidget(dateLabel);
    top->addWidget(drawDateEdit_);
    top->addWidget(addListButton_);
    top->addWidget(addFileButton_);
    top->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(removeButton_);
    bottom->addStretch();
    bottom->addWidget(closeButton_);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addWidget(ticketList_, 1);
    page->addWidget(summaryText_);
    page->addLayout(bottom);

    connect(addListButton_, &QPushButton::clicked, this, &TTickets::AddListButtonClick);
    connect(addFileButton_, &QPushButton::clicked, this, &TTickets::AddFileButtonClick);
    connect(removeButton_, &QPushButton::clicked, this, &TTickets::RemoveButtonClick);
    connect(closeButton_, &QPushButton::clicked, this, &TTickets::accept);
    connect(ticketList_, &QTableWidget::itemSelectionChanged, this,
            [this] { removeButton_->setEnabled(!ticketList_->selectedItems().isEmpty()); });
}

void TTickets::AddListButtonClick() {
    if (mainList_.isEmpty()) {
        context_.platform.dialogs.warning(this, QStringLiteral("The main window's list is empty."));
        return;
    }
    addTicket(mainList_, 0);
}

void TTickets::AddFileButtonClick() {
    const QString path = openCheckFileName(this, context_.platform.dialogs);
    if (path.isEmpty())
        return;
    TextLines lines;
    if (CheckFile::readLines(path, &lines) != CheckFile::ReadStatus::Read) {
        context_.platform.dialogs.error(
            this, QStringLiteral("Cannot open file %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    addTicket(lines.toList(), CheckFile::headerLines().size());
}

void TTickets::addTicket(const QStringList& texts, int skipLines) {
    const QString format = context_.platform.clock.shortDateFormat();
    const QDate date = DateCellFormat(format).dateOf(drawDateEdit_->text());
    if (!date.isValid()) {
        context_.platform.dialogs.warning(
            this, QStringLiteral("Type the date of the draw as %1.").arg(format.toLower()));
        drawDateEdit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const PlayedLines played = playedLinesOf(texts, skipLines, ticketGameOf(context_.state));
    if (!played.error.isEmpty() || played.texts.isEmpty()) {
        context_.platform.dialogs.warning(
            this, played.error.isEmpty() ? QStringLiteral("There is no line to add.") : played.error);
        return;
    }
    QVector<Ticket> changed = tickets_;
    // By date; a ticket for a date already held goes after the others of that date.
    qsizetype at = 0;
    while (at < changed.size() && !(date < changed[at].date))
        ++at;
    changed.insert(at, Ticket{date, played.texts});
    if (save(changed))
        ticketList_->selectRow(int(at));
}

void TTickets::RemoveButtonClick() {
    const int row = ticketList_->currentRow();
    if (row < 0 || row >= tickets_.size())
        return;
    const Ticket& ticket = tickets_[row];
    const QString question = QStringLiteral("Remove the ticket for %1 (%2 lines)?")
                                 .arg(ticket.date.toString(context_.platform.clock.shortDateFormat()))
                                 .arg(ticket.lines.size());
    if (!context_.platform.dialogs.question(this, question))
        return;
    QVector<Ticket> changed = tickets_;
    changed.remove(row);
    save(changed);
}

bool TTickets::save(const QVector<Ticket>& tickets) {
    if (fileRefused_ &&
        !context_.platform.dialogs.question(
            this, QStringLiteral("The tickets file %1 could not be read. Replace it with the "
                                 "tickets shown here?")
                      .arg(QDir::toNativeSeparators(path_))))
        return false;
    const QString error = TicketFile::write(path_, tickets);
    if (!error.isEmpty()) {
        context_.platform.dialogs.error(this, error);
        return false;
    }
    fileRefused_ = false;
    tickets_ = tickets;
    showTickets();
    return true;
}

void TTickets::showTickets() {
    const TicketGame game = ticketGameOf(context_.state);
    const QString format = context_.platform.clock.shortDateFormat();
    const QVector<TicketDraw> draws = ticketDrawsOf(context_.table, format);
    const DrawsByDate byDate(draws);
    ticketList_->setRowCount(int(tickets_.size()));
    for (int row = 0; row < tickets_.size(); ++row) {
        const Ticket& ticket = tickets_[row];
        const TicketResult result = checkTicket(ticket, byDate.on(ticket.date), game);
        const QStringList cells = {
            ticket.date.toString(format), QString::number(ticket.lines.size()),
            game.hasPrice() ? moneyShown(ticket.lines.size() * game.rules.priceCents) : QString(),
            ticketResultText(result, game)};
        for (int column = 0; column < ColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == LinesColumn || column == CostColumn)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            ticketList_->setItem(row, column, item);
        }
    }
    removeButton_->setEnabled(!ticketList_->selectedItems().isEmpty());
    summaryText_->setPlainText(accountText(accountOf(tickets_, byDate, game), game));
}
