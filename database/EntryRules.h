#pragma once

#include "DatabaseHeader.h"

#include <QString>
#include <QStringList>
#include <array>

class TDrawTable;

// The checks behind the database window's entry panel and the new database dialog, kept apart
// from the widgets so that their order and their texts are plain to see.

// A whole number as typed in a box: leading blanks, an optional sign, ASCII digits.
bool readWholeNumber(const QString& text, int* value);
QString notValidNumberText(const QString& text);

// Ok in the entry panel. `numbers` are the texts of the shown number boxes in the order they
// are checked (Edit1.., then the bonus box or the extra boxes). Only the first failure is
// reported. From `firstExtra` on (when not -1) the numbers come from a second drum and must be
// of 1..`extraRange`.
struct EntryFailure {
    enum class Box { None, Date, Number };
    Box box = Box::None;
    int index = -1;        // position in `numbers` for Box::Number
    bool emptyBox = false; // the box is emptied (its text was not a number)
    QString message;
    bool failed() const { return box != Box::None; }
};
EntryFailure checkDrawEntry(const QString& date, const QStringList& numbers, int firstExtra = -1,
                            int extraRange = 0);
// The refusal of an extra number outside the second drum's 1..`extraRange`.
QString extraRangeText(int extraRange);

// The boxes of the entry panel filled from table row `row` for Edit: the date written back in
// `dateFormat`, and for columns 1..7, 8 (the bonus or first extra) and 9 (a second extra) the
// number with at least two digits. Ok stores columns 1..`pick`, column 8 with `bonus` or
// `extras` above 0, column 9 with two extras: a cell of those that its box cannot show whole
// is refused like a date that does not read.
struct EditTexts {
    QString date;
    // "" or the first refusal: "'<cell>' is not a valid date", "'<cell>' is not a valid number"
    QString error;
    std::array<QString, 9> numbers{}; // columns 1..9 at 0..8: the bonus / first extra at 7
};
EditTexts editTexts(const TDrawTable& table, int row, const QString& dateFormat, int pick,
                    bool bonus, int extras = 0);

// The text of a stored date cell ("leading blanks allowed") in `dateFormat`, or "" when it does
// not read as a date in that format. Two-digit years read as yearFromTwoDigits says.
QString rewrittenDate(const QString& cell, const QString& dateFormat);

// Delete's question, naming the draw of table row `row` beneath it: its date cell, ":", the
// number cells as stored and "+" with the bonus, e.g. " 19/11/25:  14  17  28  31  42  48  + 05"
QString deleteQuestionText(const TDrawTable& table, int row);

// Save in the new database dialog.
struct NewDatabaseInput {
    QString name;
    QString pick;
    QString range;
    QString bonus;
    QString description; // already joined from the first two displayed lines
};
struct NewDatabaseCheck {
    QStringList messages; // in the order they are shown
    bool emptyName = false;
    bool emptyPick = false;
    bool emptyRange = false;
    DatabaseHeader header; // the values to write when accepted()
    bool accepted() const { return messages.isEmpty(); }
};
// `programFolder` is where the header file goes and where an existing one refuses the name.
NewDatabaseCheck checkNewDatabase(const NewDatabaseInput& input, const QString& programFolder);

// Why `name` cannot be a new database's name ("" when it can), in the loader's words: what the
// loader refuses, and a name the header file would not give back as typed (leading or trailing
// blanks) or that is no file name on every system (leading or trailing dots, control
// characters, any of : * ? " < > |).
QString newDatabaseNameError(const QString& name);
