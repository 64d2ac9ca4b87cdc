#include "EntryRules.h"

#include "DatabaseOps.h"
#include "DrawTable.h"

#include <QDate>
#include <QFileInfo>

namespace {

constexpr int DateLength = 8;
constexpr int BonusColumn = 8;

QString withoutLeadingBlanks(const QString& text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] == u' ')
        ++at;
    return text.mid(at);
}

// A stored number as the entry box shows it: 0..9 with a leading zero ("07", "00"), others in
// plain decimal ("23", "-5"); a cell that is not a number as it is stored.
QString numberBoxText(const QString& cell) {
    if (cell.isEmpty())
        return QStringLiteral("00");
    int value = 0;
    if (!drawCellNumber(cell, &value))
        return withoutLeadingBlanks(cell);
    if (value >= 0 && value <= 9)
        return u'0' + QString::number(value);
    return QString::number(value);
}

} // namespace

bool readWholeNumber(const QString& text, int* value) {
    return drawCellNumber(text, value);
}

QString notValidNumberText(const QString& text) {
    return text + QStringLiteral(" is not a valid number");
}

EntryFailure checkDrawEntry(const QString& date, const QStringList& numbers) {
    EntryFailure failure;
    // A date of blanks only would be read back as no date at all, and the draw with it.
    if (date.size() != DateLength || date.trimmed().isEmpty()) {
        failure.box = EntryFailure::Box::Date;
        failure.message = QStringLiteral("You need to enter a valid date");
        return failure;
    }
    for (int index = 0; index < numbers.size(); ++index) {
        const QString& text = numbers[index];
        if (text.isEmpty()) {
            failure.message = index == 0 ? QStringLiteral("Please enter all numbers")
                                         : QStringLiteral("Please enter data in all numbers");
        } else if (!readWholeNumber(text, nullptr)) {
            failure.message = notValidNumberText(text);
            failure.emptyBox = true;
        } else {
            continue;
        }
        failure.box = EntryFailure::Box::Number;
        failure.index = index;
        return failure;
    }
    return failure;
}

QString rewrittenDate(const QString& cell, const QString& dateFormat) {
    const QString text = withoutLeadingBlanks(cell);
    QDate date = QDate::fromString(text, dateFormat);
    if (!date.isValid()) {
        // A day or month typed with one digit still reads ("6/12/97").
        QString lenient = dateFormat;
        lenient.replace(QLatin1String("dd"), QLatin1String("d"));
        lenient.replace(QLatin1String("MM"), QLatin1String("M"));
        date = QDate::fromString(text, lenient);
    }
    return date.isValid() ? date.toString(dateFormat) : QString();
}

EditTexts editTexts(const TDrawTable& table, int row, const QString& dateFormat) {
    EditTexts texts;
    const QString dateCell = table.CellText(0, row);
    texts.date = rewrittenDate(dateCell, dateFormat);
    if (texts.date.isEmpty())
        texts.dateError = QStringLiteral("'%1' is not a valid date").arg(dateCell);
    for (int column = 1; column <= 7; ++column)
        texts.numbers[column - 1] = numberBoxText(table.CellText(column, row));
    texts.numbers[7] = numberBoxText(table.CellText(BonusColumn, row));
    return texts;
}

QString newDatabaseNameError(const QString& name) {
    if (!name.isEmpty() && name.trimmed().isEmpty())
        return QStringLiteral("\"%1\" is not a valid database name").arg(name);
    return databaseNameError(name);
}

NewDatabaseCheck checkNewDatabase(const NewDatabaseInput& input, const QString& programFolder) {
    NewDatabaseCheck check;
    if (input.name.isEmpty() || input.pick.isEmpty() || input.range.isEmpty() ||
        input.bonus.isEmpty()) {
        check.messages << QStringLiteral("Please enter data in all boxes");
        return check;
    }
    DatabaseHeader& header = check.header;
    header.name = input.name;
    header.bonus = input.bonus == QLatin1String("y") || input.bonus == QLatin1String("Y");
    header.description = input.description;
    bool failed = false;
    if (!readWholeNumber(input.pick, &header.pick)) {
        check.messages << notValidNumberText(input.pick);
        check.emptyPick = true;
        header.pick = 0;
        failed = true;
    }
    // Tried even when the pick failed, so both messages can follow each other.
    if (!readWholeNumber(input.range, &header.random)) {
        check.messages << notValidNumberText(input.range);
        check.emptyRange = true;
        header.random = 0;
        failed = true;
    }
    if (!failed && (header.pick < 1 || header.pick > 7)) {
        check.messages << QStringLiteral("You must pick from 1 - 7 numbers");
        check.emptyPick = true;
        failed = true;
    }
    if (!failed && (header.random < 9 || header.random > 99)) {
        check.messages << QStringLiteral("You must enter a number between 9 - 99");
        check.emptyRange = true;
        failed = true;
    }
    if (!failed) {
        // Refused before anything is written: the name is also the stem of both file names.
        QString refusal = newDatabaseNameError(header.name);
        if (refusal.isEmpty() && QFileInfo::exists(headerFilePath(programFolder, header.name)))
            refusal = QStringLiteral("You already have a database named :\r\n%1. Please enter a "
                                     "different name")
                          .arg(header.name);
        if (!refusal.isEmpty()) {
            check.messages << refusal;
            check.emptyName = true;
        }
    }
    return check;
}
