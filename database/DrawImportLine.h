#pragma once

#include <QStringView>

#include <array>
#include <vector>

// One line of a published results file: where its date is and which whole numbers follow it.
// Fields are separated by commas, semicolons, tabs, pipes or blanks; double quotes group a
// field. A month name counts by its first three letters, so misspellings such as "Febraury"
// still read.

namespace drawimport {

// The date of a line as written. Numeric dates such as "06/12/97" may be day-first or
// month-first; the file as a whole decides, so they stay undecided here.
struct LineDate {
    enum Kind { None, Exact, Numeric };
    Kind kind = None;
    int first = 0;  // Exact: the day; Numeric: the first part
    int second = 0; // Exact: the month; Numeric: the second part
    int year = 0;   // four digits (two-digit years already placed in their century)
};

struct LineDraw {
    static constexpr int MaxNumbers = 9; // seven numbers and two extra numbers
    bool blank = true;                   // nothing but separators and quotes
    bool heading = false; // no date; column names such as "Date,Ball 1,Ball 2", no free number
    LineDate date;
    int count = 0;                         // whole numbers after the date, at most MaxNumbers
    std::array<int, MaxNumbers> numbers{}; // numbers of five digits or more read as 99999
};

// A word of a line.
struct Token {
    QStringView text;
    bool grouped = false; // a word of a quoted field that holds a comma or semicolon
};

// Reads `line`, keeping up to `wanted` numbers. `tokens` is scratch space reused between lines.
LineDraw parseLine(QStringView line, int wanted, std::vector<Token>& tokens);

} // namespace drawimport
