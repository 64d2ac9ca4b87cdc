#pragma once

#include <QByteArrayView>
#include <QString>

// Files written by other programs or by hand may be UTF-8 or a legacy 8-bit code page: text
// that is valid UTF-8 reads as UTF-8, anything else as Latin-1, so every byte survives a read
// and a write back in the same encoding.
bool isValidUtf8(QByteArrayView bytes);
// Keeps a leading byte order mark: it is part of the text.
QString decodeUtf8OrLatin1(QByteArrayView bytes);
// Text written by another program, to be read and never written back: a byte order mark
// names UTF-8, UTF-16LE or UTF-16BE and is no part of the text; without one, as
// decodeUtf8OrLatin1. Spreadsheet programs save "Unicode text" as UTF-16 with its mark.
QString decodeForeignText(QByteArrayView bytes);
// The bytes `text` came from when it was read as decodeUtf8OrLatin1 with `wasUtf8`.
QByteArray encodeAs(const QString& text, bool utf8);
