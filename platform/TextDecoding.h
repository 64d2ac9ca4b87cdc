#pragma once

#include <QByteArrayView>
#include <QString>

// Files written by other programs or by hand may be UTF-8 or a legacy 8-bit code page: text
// that is valid UTF-8 reads as UTF-8, anything else as Latin-1, so every byte survives a read
// and a write back in the same encoding.
bool isValidUtf8(QByteArrayView bytes);
// Keeps a leading byte order mark: it is part of the text.
QString decodeUtf8OrLatin1(QByteArrayView bytes);
// The bytes `text` came from when it was read as decodeUtf8OrLatin1 with `wasUtf8`.
QByteArray encodeAs(const QString& text, bool utf8);
