#include "DrawImportDateCell.h"
#include "TwoDigitYear.h"

#include "DatabaseOps.h"
#include "DrawImportLine.h"

#include <QDate>

#include <array>

namespace {

// At least `width` digits, zero-padded; days and months have at most two, years four.
int writeNumber(QChar* text, int length, int value, int width) {
    const int digits = qMax(width, value >= 1000 ? 4 : value >= 100 ? 3 : value >= 10 ? 2 : 1);
    for (int k = digits - 1; k >= 0; --k, value /= 10)
        text[length + k] = QChar(char16_t(u'0' + value % 10));
    return length + digits;
}

// Reads `min`..`max` digits at `at`; -1 when there are fewer than `min`.
int readNumber(QStringView text, qsizetype& at, int min, int max) {
    int value = 0;
    int digits = 0;
    while (digits < max && at < text.size() && text[at] >= u'0' && text[at] <= u'9') {
        value = value * 10 + (text[at].unicode() - u'0');
        ++at;
        ++digits;
    }
    return digits >= min ? value : -1;
}

} // namespace

DateCellFormat::DateCellFormat(const QString& format)
    : format_(format), fast_(format.size() <= MaxFastFormat) {
    for (qsizetype at = 0; at < format.size();) {
        const QChar c = format[at];
        qsizetype run = 1;
        while (at + run < format.size() && format[at + run] == c)
            ++run;
        if (c == u'y')
            twoDigitYear_ = run == 2;
        if (c == u'd' && run <= 2)
            parts_.push_back({Part::Day, int(run), {}});
        else if (c == u'M' && run <= 2)
            parts_.push_back({Part::Month, int(run), {}});
        else if (c == u'y' && (run == 2 || run == 4))
            parts_.push_back({Part::Year, int(run), {}});
        else if (c.isLetter() || c == u'\'')
            fast_ = false;
        else
            parts_.push_back({Part::Text, int(run), c});
        at += run;
    }
}

QString DateCellFormat::cell(int year, int month, int day) const {
    if (!fast_)
        return drawDateCell(QDate(year, month, day).toString(format_));
    // Each part writes at most twice its length in the format (a one-letter day: two digits).
    std::array<QChar, 2 * MaxFastFormat + 1> text;
    int length = 0;
    text[size_t(length++)] = u' ';
    for (const Part& part : parts_) {
        switch (part.kind) {
        case Part::Day:
            length = writeNumber(text.data(), length, day, part.width);
            break;
        case Part::Month:
            length = writeNumber(text.data(), length, month, part.width);
            break;
        case Part::Year:
            length =
                writeNumber(text.data(), length, part.width == 2 ? year % 100 : year, part.width);
            break;
        case Part::Text:
            for (int k = 0; k < part.width; ++k)
                text[size_t(length++)] = part.text;
            break;
        }
    }
    return QString(text.data(), length);
}

QDate DateCellFormat::dateOf(QStringView cell) const {
    cell = cell.trimmed();
    if (!fast_) {
        return readDateInFormat(cell.toString(), format_);
    }
    int day = -1;
    int month = -1;
    int year = -1;
    qsizetype at = 0;
    for (const Part& part : parts_) {
        switch (part.kind) {
        case Part::Day:
            day = readNumber(cell, at, 1, 2);
            break;
        case Part::Month:
            month = readNumber(cell, at, 1, 2);
            break;
        case Part::Year:
            year = readNumber(cell, at, part.width, part.width);
            if (part.width == 2 && year >= 0)
                year = yearFromTwoDigits(year);
            break;
        case Part::Text:
            for (int k = 0; k < part.width; ++k, ++at) {
                if (at >= cell.size() || cell[at] != part.text)
                    return {};
            }
            break;
        }
    }
    if (at != cell.size() || day < 0 || month < 0 || year < 0)
        return {};
    return QDate(year, month, day);
}
