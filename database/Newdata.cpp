#include "Newdata.h"
#include "ui_Newdata.h"

#include "Database.h"
#include "DatabaseHeader.h"
#include "DatabaseOps.h"
#include "EntryRules.h"
#include "state/AppContext.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

#include <QKeyEvent>
#include <QPlainTextDocumentLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>

TForm10::TForm10(AppContext& context, TForm7* databaseWindow)
    : QDialog(databaseWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      context_(context), databaseWindow_(databaseWindow), ui_(std::make_unique<Ui::TForm10>()) {
    ui_->setupUi(this);
    ui_->Memo1->installEventFilter(this);
    connect(ui_->Button1, &QPushButton::clicked, this, &TForm10::Button1Click);
    connect(ui_->Button8, &QPushButton::clicked, this, &TForm10::Button8Click);
    setFixedSize(size());
    if (const QScreen* const screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm10::~TForm10() = default;

void TForm10::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->Edit1->setFocus(Qt::OtherFocusReason);
}

bool TForm10::eventFilter(QObject* watched, QEvent* event) {
    // The description is two lines of wrapped text: Enter adds no line.
    if (watched == ui_->Memo1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm10::Button1Click() {
    // New databases go where the settings go: the program folder, unless it is read-only.
    const QString folder = context_.platform.settingsFolder();
    const NewDatabaseCheck check =
        checkNewDatabase({ui_->Edit1->text(), ui_->Edit2->text(), ui_->Edit3->text(),
                          ui_->Edit4->text(), firstTwoDisplayedLines(ui_->Memo1)},
                         folder);
    for (const QString& message : check.messages)
        context_.platform.dialogs.warning(this, message);
    if (check.emptyPick)
        ui_->Edit2->clear();
    if (check.emptyRange)
        ui_->Edit3->clear();
    if (check.emptyName)
        ui_->Edit1->clear();
    if (!check.accepted())
        return;

    // The program state changes only once the header file is written.
    const QString headerPath = headerFilePath(folder, check.header.name);
    const QString error = writeDatabaseHeader(headerPath, check.header);
    if (!error.isEmpty()) {
        context_.platform.dialogs.error(this, error);
        return;
    }
    applyHeader(check.header, context_.state);
    startEmptyDatabase(headerPath, context_.state, context_.table);
    if (databaseWindow_)
        databaseWindow_->ShowNewDatabase();
    accept();
}

void TForm10::Button8Click() {
    QDialog::reject();
}

void TForm10::reject() {
    Button8Click();
}

QString firstTwoDisplayedLines(QPlainTextEdit* memo) {
    QTextDocument* const document = memo->document();
    auto* const layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
    QString text;
    int lines = 0;
    for (QTextBlock block = document->begin(); block.isValid() && lines < 2; block = block.next()) {
        if (layout)
            layout->ensureBlockLayout(block);
        const QTextLayout* const blockLayout = block.layout();
        const int count = blockLayout ? blockLayout->lineCount() : 0;
        if (count == 0) {
            ++lines; // an empty line
            continue;
        }
        for (int i = 0; i < count && lines < 2; ++i, ++lines) {
            const QTextLine line = blockLayout->lineAt(i);
            text += block.text().mid(line.textStart(), line.textLength());
        }
    }
    return text;
}
