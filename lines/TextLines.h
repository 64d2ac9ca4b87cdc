#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <iterator>

// The lines of a text, cut at every CR LF, LF or CR; a last line without its end counts, an end
// at the very end starts no further line. They are held as the one text and walked in order: a
// file of twenty million empty lines then takes no more than its text, where a string per line
// would take twenty-four bytes each before any character.
class TextLines {
public:
    TextLines() = default;
    explicit TextLines(QString text);
    // Each line followed by LF; lines holding a line end would come back cut.
    static TextLines fromList(const QStringList& lines);

    qsizetype size() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    QStringList toList() const;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QStringView;
        using difference_type = qsizetype;
        using pointer = const QStringView*;
        using reference = QStringView;

        const_iterator() = default;
        QStringView operator*() const { return QStringView(*text_).sliced(start_, end_ - start_); }
        const_iterator& operator++();
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }
        bool operator!=(const const_iterator& other) const { return index_ != other.index_; }

    private:
        friend class TextLines;
        const_iterator(const QString* text, qsizetype index, qsizetype start);

        const QString* text_ = nullptr;
        qsizetype index_ = 0;
        qsizetype start_ = 0;
        qsizetype end_ = 0; // of the line's characters, before its end
    };
    const_iterator begin() const;
    const_iterator end() const;

private:
    // Where the line starting at `start` ends (its CR or LF, or the text's end).
    static qsizetype lineEnd(const QString& text, qsizetype start);
    // The start of the line after the one ending at `end`.
    static qsizetype nextStart(const QString& text, qsizetype end);

    QString text_;
    qsizetype count_ = 0;
};
