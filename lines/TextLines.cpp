#include "TextLines.h"

TextLines::TextLines(QString text) : text_(std::move(text)) {
    // Every LF ends a line, and every CR not followed by one; so does the text's end after a
    // last line without its own.
    const char16_t* const data = reinterpret_cast<const char16_t*>(text_.constData());
    const qsizetype size = text_.size();
    for (qsizetype at = 0; at < size; ++at) {
        const char16_t c = data[at];
        if (c == u'\n' || (c == u'\r' && (at + 1 == size || data[at + 1] != u'\n')))
            ++count_;
    }
    if (size > 0 && data[size - 1] != u'\n' && data[size - 1] != u'\r')
        ++count_;
}

TextLines TextLines::fromList(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + u'\n';
    return TextLines(std::move(text));
}

qsizetype TextLines::lineEnd(const QString& text, qsizetype start) {
    const QChar* const data = text.constData();
    qsizetype at = start;
    while (at < text.size() && data[at] != u'\n' && data[at] != u'\r')
        ++at;
    return at;
}

qsizetype TextLines::nextStart(const QString& text, qsizetype end) {
    if (end >= text.size())
        return text.size();
    const bool crLf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
    return end + (crLf ? 2 : 1);
}

QStringList TextLines::toList() const {
    QStringList lines;
    lines.reserve(count_);
    for (const QStringView line : *this)
        lines << line.toString();
    return lines;
}

TextLines::const_iterator::const_iterator(const QString* text, qsizetype index, qsizetype start)
    : text_(text), index_(index), start_(start), end_(lineEnd(*text, start)) {}

TextLines::const_iterator& TextLines::const_iterator::operator++() {
    ++index_;
    start_ = nextStart(*text_, end_);
    end_ = lineEnd(*text_, start_);
    return *this;
}

TextLines::const_iterator TextLines::begin() const {
    return const_iterator(&text_, 0, 0);
}

TextLines::const_iterator TextLines::end() const {
    return const_iterator(&text_, count_, text_.size());
}
