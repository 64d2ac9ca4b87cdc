#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringView>

#include <vector>

// Date cells (" 12/06/82") in a short date format. Formats made of day, month and year digits
// and separators are written here directly: QDate::toString parses its format on every call,
// which would be most of the time of a large import. Any other format goes through it.
class DateCellFormat {
public:
    explicit DateCellFormat(const QString& format);

    // One blank and the date; `year` has four digits.
    QString cell(int year, int month, int day) const;
    // The date a stored cell holds in this format, blanks around it allowed; a day or month
    // may have one digit. Invalid when the cell holds none.
    QDate dateOf(QStringView cell) const;
    // The year is written with two digits, so only FirstTwoDigitYear..LastTwoDigitYear read
    // back as written.
    bool twoDigitYear() const { return twoDigitYear_; }

private:
    static constexpr int MaxFastFormat = 20;

    struct Part {
        enum Kind { Day, Month, Year, Text } kind;
        int width;
        QChar text;
    };

    QString format_;
    std::vector<Part> parts_;
    bool fast_;
    bool twoDigitYear_ = false;
};
