#include "EntryRules.h"

#include "DatabaseOps.h"
#include "DrawFile.h"
#include "DrawTable.h"
#include "TwoDigitYear.h"

#include <QDate>
#include <QFileInfo>

#include <optional>

namespace {

constexpr int DateLength = 8;
constexpr int NumberBoxLength = 2;
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

// A date the draw file gives back as typed. Control characters (line ends among them) are in
// no date and may not show in the box; quotes and trailing blanks would be lost on the way.
bool isStorableDate(const QString& date) {
    for (const QChar c : date) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return drawFileKeepsCell(drawDateCell(date));
}

// The value of `minimum` to `maximum` digits at `at`, moving past them; -1 for fewer digits.
int readDigits(QStringView text, qsizetype& at, int minimum, int maximum) {
    int value = 0;
    int count = 0;
    while (count < maximum && at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + (text[at++].unicode() - u'0');
        ++count;
    }
    return count >= minimum ? value : -1;
}

// `text` in a format of days, months and years in digits with separators ("dd/MM/yy"), a day
// or month also with one digit; two-digit years as everywhere in the program. QDate reads "yy"
// as 19yy, where 29/02/00 does not exist. Nullopt for a format with anything else in it.
std::optional<QDate> readNumericDate(QStringView text, QStringView format) {
    int day = -1;
    int month = -1;
    int year = -1;
    qsizetype at = 0;
    for (qsizetype f = 0; f < format.size();) {
        const QChar c = format[f];
        qsizetype run = 1;
        while (f + run < format.size() && format[f + run] == c)
            ++run;
        f += run;
        if ((c == u'd' || c == u'M') && run <= 2) {
            int& part = c == u'd' ? day : month;
            if (part >= 0)
                return std::nullopt;
            part = readDigits(text, at, 1, 2);
            if (part < 0)
                return QDate();
        } else if (c == u'y' && (run == 2 || run == 4)) {
            if (year >= 0)
                return std::nullopt;
            year = readDigits(text, at, int(run), int(run));
            if (year < 0)
                return QDate();
            if (run == 2)
                year = yearFromTwoDigits(year);
        } else if (c.isLetter() || c == u'\'') {
            return std::nullopt;
        } else {
            for (qsizetype k = 0; k < run; ++k, ++at) {
                if (at >= text.size() || text[at] != c)
                    return QDate();
            }
        }
    }
    if (day < 0 || month < 0 || year < 0)
        return std::nullopt;
    return at == text.size() ? QDate(year, month, day) : QDate();
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
    if (date.size() != DateLength || date.trimmed().isEmpty() || !isStorableDate(date)) {
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
    if (const std::optional<QDate> date = readNumericDate(text, dateFormat))
        return date->isValid() ? date->toString(dateFormat) : QString();
    QDate date = readDateInFormat(text, dateFormat);
    if (!date.isValid()) {
        // A day or month typed with one digit still reads ("6/12/97").
        QString lenient = dateFormat;
        lenient.replace(QLatin1String("dd"), QLatin1String("d"));
        lenient.replace(QLatin1String("MM"), QLatin1String("M"));
        date = readDateInFormat(text, lenient);
    }
    return date.isValid() ? date.toString(dateFormat) : QString();
}

EditTexts editTexts(const TDrawTable& table, int row, const QString& dateFormat, int pick,
                    bool bonus) {
    EditTexts texts;
    const QString dateCell = table.CellText(0, row);
    texts.date = rewrittenDate(dateCell, dateFormat);
    if (texts.date.isEmpty())
        texts.error = QStringLiteral("'%1' is not a valid date").arg(dateCell);
    for (int column = 1; column <= BonusColumn; ++column) {
        const QString cell = table.CellText(column, row);
        const QString text = numberBoxText(cell);
        texts.numbers[column - 1] = text;
        // A box would cut the number, and Ok would store what is left of it.
        const bool stored = column == BonusColumn ? bonus : column <= pick;
        if (stored && text.size() > NumberBoxLength && texts.error.isEmpty())
            texts.error = QStringLiteral("'%1' is not a valid number").arg(cell);
    }
    return texts;
}

QString newDatabaseNameError(const QString& name) {
    const QString loaderError = databaseNameError(name);
    if (!loaderError.isEmpty())
        return loaderError;
    // The header file gives its values back trimmed, and the name has to stay the same when
    // the files are copied to another system.
    bool portable = name == name.trimmed() && !name.startsWith(u'.') && !name.endsWith(u'.') &&
                    QString::fromUtf8(name.toUtf8()) == name;
    for (const QChar c : name) {
        portable = portable && c.category() != QChar::Other_Control &&
                   !QStringView(u":*?\"<>|").contains(c);
    }
    return portable ? QString() : invalidDatabaseNameText(name);
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

QString deleteQuestionText(const TDrawTable& table, int row) {
    QString draw = table.CellText(0, row) + u':';
    for (int column = 1; column <= 7; ++column)
        draw += table.CellText(column, row);
    const QString bonus = table.CellText(8, row).trimmed();
    if (!bonus.isEmpty())
        draw += QStringLiteral("  + ") + bonus;
    return QStringLiteral("Are you sure you want to Delete this line ?\n") + draw;
}
