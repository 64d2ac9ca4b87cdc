#include "ProfileFile.h"

#include "SafeFile.h"
#include "TextDecoding.h"

namespace {

// A byte order mark may open the file; it is no part of the first line's name.
QString withoutMark(const QString& line) {
    return line.startsWith(QChar(0xFEFF)) ? line.mid(1) : line;
}

QString sectionName(const QString& line) {
    const QString trimmed = withoutMark(line).trimmed();
    if (!trimmed.startsWith(u'['))
        return {};
    const int close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool isSectionLine(const QString& line) {
    return withoutMark(line).trimmed().startsWith(u'[');
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

ProfileFile::ProfileFile(const QString& path)
    : ProfileFile(path, readRegularFile(path, MaxFileSize)) {}

ProfileFile::ProfileFile(const QString& path, const FileReadResult& read) : path_(path) {
    if (read.status == FileReadResult::Missing)
        return;
    exists_ = true;
    if (!read.ok()) {
        unreadable_ = true;
        readStatus_ = read.status;
        readError_ = read.systemError;
        return;
    }
    // Lines end CR LF; a lone LF or CR is taken as a line end too, as hand editors may leave one.
    const QByteArray& bytes = read.bytes;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < bytes.size())
            next +=
                (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
        const QByteArrayView content(bytes.constData() + start, end - start);
        Line line;
        line.latin1 = !isValidUtf8(content);
        line.text = decodeUtf8OrLatin1(content);
        line.ending = bytes.mid(end, next - end);
        lines_ << line;
        start = next;
    }
}

int ProfileFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        if (isSectionLine(lines_[i].text) && sameName(sectionName(lines_[i].text), section))
            return i;
    }
    return -1;
}

int ProfileFile::sectionEnd(int sectionLine) const {
    int end = sectionLine + 1;
    while (end < lines_.size() && !isSectionLine(lines_[end].text))
        ++end;
    return end;
}

int ProfileFile::findKey(int sectionLine, const QString& key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const QString& line = lines_[i].text;
        if (line.trimmed().startsWith(u';'))
            continue;
        const int equals = line.indexOf(u'=');
        if (equals > 0 && sameName(line.left(equals).trimmed(), key))
            return i;
    }
    return -1;
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const {
    const int sectionLine = findSection(section);
    const int keyLine = sectionLine < 0 ? -1 : findKey(sectionLine, key);
    if (keyLine < 0)
        return defaultValue;
    const QString& line = lines_[keyLine].text;
    return line.mid(line.indexOf(u'=') + 1).trimmed().left(MaxValueLength);
}

bool ProfileFile::parseInt(const QString& text, int* value) {
    QString digits = text.trimmed();
    bool negative = false;
    if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.startsWith(u'-');
        digits.remove(0, 1);
    }
    int base = 10;
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        digits.remove(0, 2);
    }
    if (digits.isEmpty())
        return false;
    for (const QChar c : digits) {
        const bool ok = base == 10 ? (c >= u'0' && c <= u'9')
                                   : QStringLiteral("0123456789abcdefABCDEF").contains(c);
        if (!ok)
            return false;
    }
    bool ok = false;
    const qlonglong number = digits.toLongLong(&ok, base);
    // Hexadecimal values spell out 32-bit patterns ("0xFFFFFFFF" is -1).
    const qlonglong limit = base == 16 ? 0xFFFFFFFFLL : 0x7FFFFFFFLL + (negative ? 1 : 0);
    if (!ok || number > limit)
        return false;
    const int result = base == 16 ? int(quint32(number)) : int(number);
    *value = negative ? int(-qlonglong(result)) : result;
    return true;
}

int ProfileFile::readInt(const QString& section, const QString& key, int defaultValue) const {
    int value = 0;
    const QString text = readString(section, key, QString());
    return parseInt(text, &value) ? value : defaultValue;
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString entry = key + u'=' + value;
    int sectionLine = findSection(section);
    if (sectionLine < 0) {
        insertLine(lines_.size(), u'[' + section + u']');
        insertLine(lines_.size(), entry);
        return;
    }
    const int keyLine = findKey(sectionLine, key);
    if (keyLine >= 0) {
        setLine(keyLine, entry);
        return;
    }
    // New keys go after the last non-blank line of their section.
    int insertAt = sectionEnd(sectionLine);
    while (insertAt > sectionLine + 1 && lines_[insertAt - 1].text.trimmed().isEmpty())
        --insertAt;
    insertLine(insertAt, entry);
}

void ProfileFile::writeInt(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void ProfileFile::setLine(int index, const QString& text) {
    Line& line = lines_[index];
    if (line.text == text)
        return; // unchanged: keeps its bytes
    line.text = text;
    line.latin1 = false;
}

void ProfileFile::insertLine(int index, const QString& text) {
    // The line before a new one may have been the last of the file, without an ending.
    if (index > 0 && lines_[index - 1].ending.isEmpty())
        lines_[index - 1].ending = "\r\n";
    lines_.insert(index, Line{text, false, "\r\n"});
}

bool ProfileFile::save() const {
    if (unreadable_)
        return false;
    QByteArray bytes;
    for (const Line& line : lines_) {
        // A Latin-1 line changed by nothing but still representable stays Latin-1.
        bytes += line.latin1 ? line.text.toLatin1() : line.text.toUtf8();
        bytes += line.ending;
    }
    return writeWholeFile(path_, bytes) == WriteFileResult::Written;
}
