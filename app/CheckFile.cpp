#include "app/CheckFile.h"

#include "platform/SafeFile.h"

namespace CheckFile {

namespace {

// Generated lines are at most 41 characters: a million of them fit many times over.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

constexpr int MaxNumbersPerLine = 7;

} // namespace

QStringList headerLines() {
    return {QStringLiteral("Ballmere Professional"), QStringLiteral("Version 1.01"), QString(),
            QString(60, QLatin1Char('-'))};
}

QByteArray encode(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

QString write(const QString& path, const QStringList& lines) {
    switch (writeWholeFile(path, encode(lines))) {
    case WriteFileResult::Written:
        return {};
    case WriteFileResult::CannotCreate:
        return QStringLiteral("Cannot create file %1").arg(path);
    case WriteFileResult::WriteFailed:
        break;
    }
    return QStringLiteral("Stream write error");
}

bool read(const QString& path, QStringList* lines) {
    const FileReadResult file = readRegularFile(path, MaxFileSize);
    if (!file.ok())
        return false;
    const QByteArray& bytes = file.bytes;

    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        result << QString::fromLatin1(bytes.constData() + start, i - start);
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    // A last line without its end still counts.
    if (start < bytes.size())
        result << QString::fromLatin1(bytes.constData() + start, bytes.size() - start);
    if (lines)
        *lines = result;
    return true;
}

int numberAt(const QString& line, int k) {
    if (k < 1 || k > MaxNumbersPerLine)
        return 0;
    const qsizetype anchor = line.indexOf(QLatin1Char('>'));
    if (anchor < 0)
        return 0;
    const qsizetype first = anchor + 3 + 5 * (k - 1);
    if (first + 1 >= line.size())
        return 0;
    const QChar tens = line.at(first);
    const QChar units = line.at(first + 1);
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (!isDigit(tens) || !isDigit(units))
        return 0;
    return (tens.unicode() - '0') * 10 + (units.unicode() - '0');
}

} // namespace CheckFile
