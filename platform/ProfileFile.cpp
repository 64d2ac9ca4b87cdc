#include "ProfileFile.h"

#include <QFile>
#include <QSaveFile>

namespace {

QString sectionName(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'['))
        return {};
    const int close = trimmed.indexOf(u']');
    return (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
}

bool isSectionLine(const QString& line) {
    return line.trimmed().startsWith(u'[');
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

ProfileFile::ProfileFile(const QString& path) : path_(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    exists_ = true;
    // Lines end CR LF; a lone LF is taken as a line end too, as hand editors may leave one.
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    lines_ = text.split(u'\n');
    if (!lines_.isEmpty() && lines_.last().isEmpty())
        lines_.removeLast();
}

int ProfileFile::findSection(const QString& section) const {
    for (int i = 0; i < lines_.size(); ++i) {
        if (isSectionLine(lines_[i]) && sameName(sectionName(lines_[i]), section))
            return i;
    }
    return -1;
}

int ProfileFile::sectionEnd(int sectionLine) const {
    int end = sectionLine + 1;
    while (end < lines_.size() && !isSectionLine(lines_[end]))
        ++end;
    return end;
}

int ProfileFile::findKey(int sectionLine, const QString& key) const {
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const QString& line = lines_[i];
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
    const QString& line = lines_[keyLine];
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
        lines_ << u'[' + section + u']' << entry;
        return;
    }
    const int keyLine = findKey(sectionLine, key);
    if (keyLine >= 0) {
        lines_[keyLine] = entry;
        return;
    }
    // New keys go after the last non-blank line of their section.
    int insertAt = sectionEnd(sectionLine);
    while (insertAt > sectionLine + 1 && lines_[insertAt - 1].trimmed().isEmpty())
        --insertAt;
    lines_.insert(insertAt, entry);
}

void ProfileFile::writeInt(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

bool ProfileFile::save() const {
    QByteArray bytes;
    for (const QString& line : lines_)
        bytes += line.toUtf8() + "\r\n";
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}
