#pragma once

// A year written with two digits, as the short date format and published draw histories
// write it: 50..99 are the 1900s, 00..49 the 2000s. Draws go back to the early 1980s and on
// into this century, so both readings of "00" must agree: 29/02/00 is a real draw date.
constexpr int TwoDigitYearPivot = 50;
// A date cell with a two-digit year reads back only within these hundred years.
constexpr int FirstTwoDigitYear = 1900 + TwoDigitYearPivot;
constexpr int LastTwoDigitYear = 2000 + TwoDigitYearPivot - 1;

constexpr int yearFromTwoDigits(int twoDigits) {
    return twoDigits >= TwoDigitYearPivot ? 1900 + twoDigits : 2000 + twoDigits;
}

class QDate;
class QString;

// `text` read in the date format `format` as QDate::fromString reads it, except that a
// two-digit year ("yy") follows the rule above rather than QDate's 19yy, whatever else the
// format holds (month names, day names, quoted text). An invalid date when `text` does not fit.
QDate readDateInFormat(const QString& text, const QString& format);
