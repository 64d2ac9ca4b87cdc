#include "TextDecoding.h"

#include <QStringDecoder>

bool isValidUtf8(QByteArrayView text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const qsizetype length = text.size();
    qsizetype i = 0;
    while (i < length) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        char32_t code = 0;
        char32_t lowest = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, code = lead & 0x1F, lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, code = lead & 0x0F, lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, code = lead & 0x07, lowest = 0x10000;
        } else {
            return false;
        }
        if (length - i <= extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = bytes[i + k];
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString decodeUtf8OrLatin1(QByteArrayView bytes) {
    if (!isValidUtf8(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QString decodeForeignText(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decodeUtf8OrLatin1(bytes.sliced(3));
    const bool littleEndian = bytes.startsWith("\xFF\xFE");
    if (!littleEndian && !bytes.startsWith("\xFE\xFF"))
        return decodeUtf8OrLatin1(bytes);
    // Only the one mark goes: a second one would be text.
    QStringDecoder decoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                           QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(bytes.sliced(2));
}

QByteArray encodeAs(const QString& text, bool utf8) {
    return utf8 ? text.toUtf8() : text.toLatin1();
}
