#include "DrawImportLine.h"
#include "TwoDigitYear.h"

#include <algorithm>

namespace drawimport {

namespace {

bool isSeparator(QChar c) {
    switch (c.unicode()) {
    case u',':
    case u';':
    case u'\t':
    case u'|':
    case u' ':
        return true;
    default:
        return false;
    }
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// Up to four digits exactly; longer numbers are out of any game's range and of any year's.
int digitsValue(QStringView digits) {
    if (digits.size() > 4)
        return 99999;
    int value = 0;
    for (const QChar c : digits)
        value = value * 10 + (c.unicode() - u'0');
    return value;
}

// Words separated by separators and quotes. A quoted field that holds a comma or semicolon is
// one text rather than a list: a quoted "1,000,000" is not three numbers, "03 11 12" is three.
void tokenize(QStringView line, std::vector<Token>& tokens) {
    tokens.clear();
    const QChar* const data = line.data();
    qsizetype start = -1; // of the word being read
    bool quoted = false;
    size_t fieldStart = 0; // first word of the quoted field
    bool grouped = false;
    const auto endWord = [&](qsizetype at) {
        if (start < 0)
            return;
        Token& token = tokens.emplace_back();
        token.text = QStringView(data + start, at - start);
        start = -1;
    };
    const auto endField = [&] {
        for (size_t i = fieldStart; grouped && i < tokens.size(); ++i)
            tokens[i].grouped = true;
    };
    for (qsizetype at = 0; at < line.size(); ++at) {
        const QChar c = data[at];
        if (c == u'"') {
            endWord(at);
            if (quoted)
                endField();
            quoted = !quoted;
            fieldStart = tokens.size();
            grouped = false;
        } else if (isSeparator(c)) {
            endWord(at);
            grouped = grouped || (quoted && (c == u',' || c == u';'));
        } else if (start < 0) {
            start = at;
        }
    }
    endWord(line.size());
    if (quoted) // an unclosed quote runs to the end of the line
        endField();
}

int monthOf(QStringView word) {
    if (word.size() < 3 || !word.front().isLetter())
        return 0;
    if (word.back() == u'.')
        word.chop(1);
    if (word.size() < 3)
        return 0;
    for (const QChar c : word) {
        const char16_t u = c.unicode();
        if (!((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')))
            return 0;
    }
    // The first three letters decide, in either case.
    const auto lower = [&](int i) { return char(word[i].unicode() | 0x20); };
    const char first[3] = {lower(0), lower(1), lower(2)};
    static constexpr char Months[] = "janfebmaraprmayjunjulaugsepoctnovdec";
    for (int month = 0; month < 12; ++month) {
        if (std::equal(first, first + 3, Months + 3 * month))
            return month + 1;
    }
    return 0;
}

// "12", "7" or "12th": the day of a date written with a month name.
int dayOf(QStringView word) {
    if (word.size() > 2 && !isDigit(word.back())) {
        static constexpr const char16_t* Suffixes[] = {u"st", u"nd", u"rd", u"th"};
        for (const char16_t* suffix : Suffixes) {
            if (word.endsWith(QStringView(suffix), Qt::CaseInsensitive)) {
                word.chop(2);
                break;
            }
        }
    }
    if (word.size() > 2 || !allDigits(word))
        return 0;
    const int day = digitsValue(word);
    return day <= 31 ? day : 0;
}

// A year of two or four digits, placed in its century; 0 when `word` is no year.
int yearOf(QStringView word) {
    if ((word.size() != 2 && word.size() != 4) || !allDigits(word))
        return 0;
    const int year = digitsValue(word);
    if (word.size() == 4)
        return year;
    return yearFromTwoDigits(year);
}

LineDate exact(int day, int month, int year) {
    return {LineDate::Exact, day, month, year};
}

// A date written as one word: "2025-11-19", "06/12/97", "12.06.1982", "12-Jun-1982".
LineDate dateInWord(QStringView word) {
    qsizetype cut1 = -1;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] == u'/' || word[i] == u'-' || word[i] == u'.') {
            cut1 = i;
            break;
        }
    }
    if (cut1 <= 0)
        return {};
    const QChar separator = word[cut1];
    const qsizetype cut2 = word.indexOf(separator, cut1 + 1);
    if (cut2 < 0 || word.indexOf(separator, cut2 + 1) >= 0)
        return {};
    const QStringView a = word.left(cut1);
    const QStringView b = word.mid(cut1 + 1, cut2 - cut1 - 1);
    const QStringView c = word.mid(cut2 + 1);
    if (a.isEmpty() || b.isEmpty() || c.isEmpty())
        return {};
    const bool shortA = a.size() <= 2 && allDigits(a);
    const bool shortB = b.size() <= 2 && allDigits(b);
    if (a.size() == 4 && allDigits(a) && shortB) {
        // ISO, also with a time of day after a "T" ("2025-11-19T22:30:00")
        const qsizetype time = c.indexOf(u'T');
        const QStringView day = time > 0 ? c.left(time) : c;
        if (day.size() <= 2 && allDigits(day))
            return exact(digitsValue(day), digitsValue(b), digitsValue(a));
        return {};
    }
    const int year = yearOf(c);
    if (year == 0)
        return {};
    if (shortA && shortB)
        return {LineDate::Numeric, digitsValue(a), digitsValue(b), year};
    if (const int month = monthOf(b); month != 0 && dayOf(a) != 0)
        return exact(dayOf(a), month, year);
    if (const int month = monthOf(a); month != 0 && dayOf(b) != 0)
        return exact(dayOf(b), month, year);
    return {};
}

// A month name at `m` with its day and year around it: "June 12, 1982" or "12 June 1982".
// A four-digit year wins over a two-digit one, so a leading draw number before "June 12 1982"
// is not taken for the day.
LineDate dateAroundMonth(const std::vector<Token>& tokens, size_t m, size_t* end) {
    const int month = monthOf(tokens[m].text);
    if (month == 0)
        return {};
    const auto text = [&](size_t i) { return i < tokens.size() ? tokens[i].text : QStringView(); };
    const int dayAfter = dayOf(text(m + 1));
    const int yearAfterDay = yearOf(text(m + 2));
    const int dayBefore = m > 0 ? dayOf(text(m - 1)) : 0;
    const int yearAfterMonth = yearOf(text(m + 1));
    const bool monthFirst = dayAfter != 0 && yearAfterDay != 0;
    const bool dayFirst = dayBefore != 0 && yearAfterMonth != 0;
    if (monthFirst && (text(m + 2).size() == 4 || !dayFirst)) {
        *end = m + 3;
        return exact(dayAfter, month, yearAfterDay);
    }
    if (dayFirst) {
        *end = m + 2;
        return exact(dayBefore, month, yearAfterMonth);
    }
    return {};
}

bool hasLetter(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// Two or more words, and every whole number follows a word as part of a column's name ("Ball 1"),
// so it cannot be one of a draw's numbers.
bool isHeading(const std::vector<Token>& tokens) {
    int words = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (hasLetter(token.text))
            ++words;
        else if (!token.grouped && allDigits(token.text) &&
                 (i == 0 || !hasLetter(tokens[i - 1].text)))
            return false;
    }
    return words >= 2;
}

} // namespace

LineDraw parseLine(QStringView line, int wanted, std::vector<Token>& tokens) {
    LineDraw draw;
    tokenize(line, tokens);
    draw.blank = tokens.empty();
    size_t next = tokens.size();
    for (size_t i = 0; i < tokens.size(); ++i) {
        draw.date = dateInWord(tokens[i].text);
        if (draw.date.kind != LineDate::None) {
            next = i + 1;
            break;
        }
        draw.date = dateAroundMonth(tokens, i, &next);
        if (draw.date.kind != LineDate::None)
            break;
    }
    if (draw.date.kind == LineDate::None) {
        draw.heading = isHeading(tokens);
        return draw;
    }
    wanted = qBound(0, wanted, LineDraw::MaxNumbers);
    for (size_t i = next; i < tokens.size() && draw.count < wanted; ++i) {
        if (!tokens[i].grouped && allDigits(tokens[i].text))
            draw.numbers[size_t(draw.count++)] = digitsValue(tokens[i].text);
    }
    return draw;
}

} // namespace drawimport
