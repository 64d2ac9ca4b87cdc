#include "lines/CheckFile.h"

#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QRegularExpression>

namespace CheckFile {

namespace {

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
    return writeFileMessage(writeWholeFile(path, encode(lines)), path);
}

ReadStatus readLines(const QString& path, TextLines* lines) {
    FileReadResult file = readRegularFile(path, MaxFileSize);
    if (file.status == FileReadResult::TooLarge)
        return ReadStatus::TooLarge;
    if (!file.ok())
        return ReadStatus::CannotOpen;
    if (lines) {
        QString text = decodeForeignText(file.bytes);
        file.bytes.clear(); // the bytes and the text are never held beside the lines as well
        *lines = TextLines(std::move(text));
    }
    return ReadStatus::Read;
}

bool read(const QString& path, QStringList* lines) {
    TextLines read;
    if (readLines(path, &read) != ReadStatus::Read)
        return false;
    if (lines)
        *lines = read.toList();
    return true;
}

TextLines decodeLines(QByteArrayView bytes) {
    return TextLines(decodeForeignText(bytes));
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

QString extrasText(const QVector<int>& extras) {
    QStringList numbers;
    for (int extra : extras)
        numbers << QStringLiteral("%1").arg(extra, 2, 10, QLatin1Char('0'));
    return numbers.isEmpty() ? QString()
                             : QStringLiteral("  +  ") + numbers.join(QStringLiteral(" - "));
}

QVector<int> extrasOf(const QString& line) {
    static const QRegularExpression form(QStringLiteral("  \\+  (\\d\\d)(?: - (\\d\\d))?\\s*$"));
    const qsizetype anchor = line.indexOf(QLatin1Char('>'));
    if (anchor < 0)
        return {};
    const QRegularExpressionMatch match = form.match(line, anchor);
    if (!match.hasMatch())
        return {};
    QVector<int> extras{match.captured(1).toInt()};
    if (match.hasCaptured(2))
        extras << match.captured(2).toInt();
    return extras;
}

} // namespace CheckFile
