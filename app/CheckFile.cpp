#include "app/CheckFile.h"

#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QStringDecoder>

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

ReadStatus readLines(const QString& path, QStringList* lines) {
    const FileReadResult file = readRegularFile(path, MaxFileSize);
    if (file.status == FileReadResult::TooLarge)
        return ReadStatus::TooLarge;
    if (!file.ok())
        return ReadStatus::CannotOpen;
    if (lines)
        *lines = decodeLines(file.bytes);
    return ReadStatus::Read;
}

bool read(const QString& path, QStringList* lines) {
    return readLines(path, lines) == ReadStatus::Read;
}

// Cut at every CR LF, LF or CR, a last line without its end included. CR and LF never occur
// inside a UTF-8 sequence, so the bytes are cut first and each line decoded as the whole
// text would be: no copy of the whole file as text on the way.
QStringList decodeLines(QByteArrayView bytes) {
    // Plain ASCII, as the program writes, reads the same either way and Latin-1 is quicker.
    unsigned char high = 0;
    for (const char c : bytes)
        high |= static_cast<unsigned char>(c);
    const bool utf8 = (high & 0x80) != 0 && isValidUtf8(bytes);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    const auto decode = [&](qsizetype start, qsizetype end) -> QString {
        const QByteArrayView line = bytes.sliced(start, end - start);
        return utf8 ? decoder.decode(line) : QString::fromLatin1(line);
    };
    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        result << decode(start, i);
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        result << decode(start, bytes.size());
    return result;
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
