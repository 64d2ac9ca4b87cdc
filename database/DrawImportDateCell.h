#pragma once

#include <QChar>
#include <QString>

#include <vector>

// Date cells (" 12/06/82") in a short date format. Formats made of day, month and year digits
// and separators are written here directly: QDate::toString parses its format on every call,
// which would be most of the time of a large import. Any other format goes through it.
class DateCellFormat {
public:
    explicit DateCellFormat(const QString& format);

    // One blank and the date; `year` has four digits.
    QString cell(int year, int month, int day) const;

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
};
