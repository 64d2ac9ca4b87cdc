#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

#include "lines/TextLines.h"

// The check file: a draw list saved as text lines ended by CR LF, four header lines first, then
// one generated line each ("6/49  >  03 - 11 - 17 - 24 - 38 - 45").
namespace CheckFile {

// The four lines every draw list starts with.
QStringList headerLines();

// The file's bytes: each line followed by CR LF, one byte per character (Latin-1).
QByteArray encode(const QStringList& lines);

// Writes the whole file or nothing: the old file stays as it was on failure. Returns "" on
// success, else the message for the user.
QString write(const QString& path, const QStringList& lines);

// Generated lines are at most 41 characters: a million of them fit many times over.
constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

enum class ReadStatus { Read, CannotOpen, TooLarge };

// The file's lines without their ends (CR LF, LF or CR), decoded as decodeForeignText does:
// UTF-8 or UTF-16 by a byte order mark, else UTF-8 when valid, else Latin-1. Only regular files
// of at most MaxFileSize bytes are read; otherwise `lines` is left as it was.
ReadStatus readLines(const QString& path, TextLines* lines);
bool read(const QString& path, QStringList* lines);
// The lines of a file's bytes, as readLines gives them.
TextLines decodeLines(QByteArrayView bytes);

// The k-th number (1..7) of a generated line: the two characters starting 3 + 5(k - 1) after the
// first '>'. 0 when there is no '>', the field lies past the end, or is not two digits.
int numberAt(const QString& line, int k);

// A line of a game with a second drum carries the player's extra numbers after its main ones:
// "5/69  >  03 - 11 - 17 - 24 - 38  +  12", two of them as "  +  03 - 07". The fields of the
// main numbers stay where they were, and no extra number falls on a field's place, so a reader
// that knows only main numbers reads such a line as it always did.
QString extrasText(const QVector<int>& extras);
// The extra numbers of `line`: empty when it has none or they do not read as written above.
QVector<int> extrasOf(const QString& line);

} // namespace CheckFile
