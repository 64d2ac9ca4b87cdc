#include "DrawFile.h"

#include "DrawTable.h"
#include "platform/SafeFile.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <cstring>

namespace {

constexpr qsizetype ChunkSize = 256 * 1024;
constexpr char EndOfFileByte = 0x1A;

bool isValidUtf8(const char* text, int length) {
    return ::isValidUtf8(QByteArrayView(text, length));
}

// Unlike QString::fromUtf8, keeps a leading byte order mark: it is part of the cell.
QString utf8Text(const char* text, int length) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(text, length));
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A cell holding bytes of 0x80 and above: UTF-8 when they are valid UTF-8, else Latin-1.
QString wideCellText(const char* text, int length) {
    return isValidUtf8(text, length) ? utf8Text(text, length) : QString::fromLatin1(text, length);
}

// Dates and numbers are ASCII: they go into the table without a string being made of them.
void setCell(TDrawTable& table, int column, int row, const char* text, int length) {
    for (int i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            table.SetCellText(column, row, wideCellText(text, length));
            return;
        }
    }
    table.SetCellText(column, row, QLatin1String(text, length));
}

// A line cut at the length limit may end inside a UTF-8 character; the cell it ends in then
// reads as UTF-8 without the broken character rather than as Latin-1 garbage.
int withoutBrokenCharacter(const char* text, int length) {
    for (int back = 1; back <= 3 && back <= length; ++back) {
        const auto byte = static_cast<unsigned char>(text[length - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        const int needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? length - back : length;
    }
    return length;
}

bool isLeftOut(char16_t c) {
    return c == u'"' || c == u'\r' || c == char16_t(EndOfFileByte);
}

// Writes one cell's text at `out` and returns the end of what was written; room for three
// bytes per character must be there.
char* writeCell(char* out, const QString& cell) {
    char* const begin = out;
    for (const QChar c : cell) {
        const char16_t unit = c.unicode();
        if (unit >= 0x80) {
            // Rare: the whole cell goes through the UTF-8 encoder instead.
            out = begin;
            for (const char byte : cell.toUtf8()) {
                if (!isLeftOut(char16_t(static_cast<unsigned char>(byte))))
                    *out++ = byte;
            }
            return out;
        }
        if (!isLeftOut(unit))
            *out++ = char(unit);
    }
    return out;
}

// The same for a cell held as Latin-1 text: ASCII goes as it is (numbers and dates always do).
char* writeLatin1Cell(char* out, QLatin1String cell) {
    char* const begin = out;
    for (const char byte : cell) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return writeCell(begin, QString(cell));
        if (!isLeftOut(char16_t(byte)))
            *out++ = byte;
    }
    return out;
}

// A cell of Latin-1 characters whose bytes are no valid UTF-8 reads back the same from its
// Latin-1 bytes, which are never longer than its UTF-8 form.
bool readsBackAsLatin1(const QString& cell) {
    bool wide = false;
    for (const QChar c : cell) {
        if (c.unicode() > 0xFF)
            return false;
        wide = wide || c.unicode() >= 0x80;
    }
    return wide && !::isValidUtf8(cell.toLatin1());
}

bool needsQuotes(const QString& cell) {
    return cell.contains(u',') || cell.contains(u'{');
}

// The shortest line that reads back as the same cells: quotes only where a cell needs them,
// Latin-1 where it reads back the same, no empty cells at the end. Used when the usual form
// would be longer than a reader keeps, so that whatever was read is saved without loss.
// `afterLineEnd`: a line was written before this one.
char* writeCompactRow(char* out, const std::array<QString, TDrawTable::ColCount>& cells,
                      bool afterLineEnd) {
    int used = TDrawTable::ColCount;
    while (used > 0 && cells[size_t(used - 1)].isEmpty())
        --used;
    // The reader takes an LF right after a CR as part of that line end. A first cell that
    // begins with LF gets one more: the line before ends CR LF, and the cell keeps its own.
    // Quoting it instead would make the line two bytes longer than the one it was read from.
    const QString& first = cells[0];
    if (afterLineEnd && first.startsWith(u'\n') && !needsQuotes(first))
        *out++ = '\n';
    for (int column = 0; column < used; ++column) {
        const QString& cell = cells[size_t(column)];
        const bool quoted = needsQuotes(cell);
        if (quoted)
            *out++ = '"';
        if (readsBackAsLatin1(cell)) {
            for (const QChar c : cell) {
                if (!isLeftOut(c.unicode()))
                    *out++ = char(c.unicode());
            }
        } else {
            out = writeCell(out, cell);
        }
        if (quoted)
            *out++ = '"';
        *out++ = ',';
    }
    if (used == 0)
        *out++ = ',';
    out[-1] = '\r';
    return out;
}

// Fills a buffer row by row and hands it to the file when full.
class DrawFileWriter {
public:
    explicit DrawFileWriter(SafeFileWriter& file)
        : file_(file), buffer_(ChunkSize, Qt::Uninitialized) {}

    bool writeRow(const TDrawTable& table, int row) {
        // Room for the quotes and commas, and for every character as UTF-8.
        qsizetype room = 3 * TDrawTable::ColCount;
        for (int column = 0; column < TDrawTable::ColCount; ++column) {
            table.VisitCell(
                column, row, [&room](QLatin1String text) { room += 2 * text.size(); },
                [&room](const QString& text) { room += 3 * text.size(); });
        }
        if (used_ + room > buffer_.size()) {
            if (!flush())
                return false;
            if (room > buffer_.size())
                buffer_.resize(room);
        }
        char* const start = buffer_.data() + used_;
        char* out = start;
        for (int column = 0; column < TDrawTable::ColCount; ++column) {
            *out++ = '"';
            table.VisitCell(
                column, row, [&out](QLatin1String text) { out = writeLatin1Cell(out, text); },
                [&out](const QString& text) { out = writeCell(out, text); });
            *out++ = '"';
            *out++ = ',';
        }
        out[-1] = '\r';
        if (out - start - 1 > MaxDrawLineLength) {
            std::array<QString, TDrawTable::ColCount> cells;
            for (int column = 0; column < TDrawTable::ColCount; ++column)
                cells[size_t(column)] = table.CellText(column, row);
            out = writeCompactRow(start, cells, row > 1);
        }
        used_ += out - start;
        return true;
    }

    bool flush() {
        if (!file_.write(buffer_.constData(), used_))
            return false;
        used_ = 0;
        return true;
    }

private:
    SafeFileWriter& file_;
    QByteArray buffer_;
    qsizetype used_ = 0;
};

int lastError(int fallback) {
    return errno != 0 ? errno : fallback;
}

} // namespace

bool drawFileKeepsCell(const QString& cell) {
    for (const QChar c : cell) {
        if (isLeftOut(c.unicode()))
            return false;
    }
    if (cell.endsWith(u' ') || cell.endsWith(u'\t'))
        return false; // the reader trims them
    // Read back as the reader reads a written cell; a lone surrogate has no UTF-8 form.
    const QByteArray bytes = cell.toUtf8();
    return wideCellText(bytes.constData(), int(bytes.size())) == cell;
}

bool DrawFileParser::feed(const char* data, qsizetype size) {
    const char* next = data;
    const char* const end = data + size;
    while (!ended_ && next < end) {
        if (afterCr_) {
            afterCr_ = false;
            if (*next == '\n') {
                ++next;
                continue;
            }
        }
        const auto* cr = static_cast<const char*>(std::memchr(next, '\r', size_t(end - next)));
        const char* const lineEnd = cr ? cr : end;
        if (const auto* eof = static_cast<const char*>(
                std::memchr(next, EndOfFileByte, size_t(lineEnd - next)))) {
            append(next, eof);
            if (lineOpen_)
                endLine(line_, lineLength_, lineCut_);
            ended_ = true;
            break;
        }
        if (!cr) {
            append(next, end);
            break;
        }
        if (lineOpen_) {
            append(next, cr);
            endLine(line_, lineLength_, lineCut_);
        } else {
            // The whole line is in this piece: parse it where it lies.
            endLine(next, int(qMin<qsizetype>(cr - next, MaxDrawLineLength)),
                    cr - next > MaxDrawLineLength);
        }
        afterCr_ = true;
        next = cr + 1;
    }
    return !ended_;
}

void DrawFileParser::finish() {
    if (!ended_ && lineOpen_)
        endLine(line_, lineLength_, lineCut_);
    ended_ = true;
}

void DrawFileParser::append(const char* begin, const char* end) {
    if (end <= begin)
        return;
    lineOpen_ = true;
    const int room = MaxDrawLineLength - lineLength_;
    const int count = int(qMin<qsizetype>(end - begin, room));
    if (count < end - begin)
        lineCut_ = true;
    std::memcpy(line_ + lineLength_, begin, size_t(count));
    lineLength_ += count;
}

void DrawFileParser::endLine(const char* text, int length, bool cut) {
    lineLength_ = 0;
    lineOpen_ = false;
    lineCut_ = false;
    if (cut)
        length = withoutBrokenCharacter(text, length);
    if (row_ >= MaxDrawRowCount) {
        tooManyLines_ = true;
        ended_ = true;
        return;
    }
    if (row_ >= table_.RowCount())
        table_.SetRowCount(row_ + 1);
    parseLine(text, length, row_);
    ++row_;
}

void DrawFileParser::parseLine(const char* text, int length, int row) {
    int column = 0;
    int i = 0;
    // Lines as the program writes them are all "text" fields joined by commas: each is taken
    // where it lies. The first field written any other way goes through the general rules below.
    while (i < length && column < TDrawTable::ColCount && text[i] == '"') {
        // Most fields are a number ("  07") or empty: those are taken at a glance.
        const int left = length - i;
        if (left >= 6 && text[i + 1] == ' ' && text[i + 2] == ' ' && isDigit(text[i + 3]) &&
            isDigit(text[i + 4]) && text[i + 5] == '"' && (left == 6 || text[i + 6] == ',')) {
            table_.SetCellNumber(column++, row, (text[i + 3] - '0') * 10 + (text[i + 4] - '0'));
            i += 7;
            continue;
        }
        if (left >= 2 && text[i + 1] == '"' && (left == 2 || text[i + 2] == ',')) {
            ++column;
            i += 3;
            continue;
        }
        // Other fields are a few characters long too: a plain loop finds the closing quote
        // sooner than a call would, and sees on the way whether the text is ASCII.
        int close = i + 1;
        unsigned char bits = 0;
        while (close < length && text[close] != '"')
            bits |= static_cast<unsigned char>(text[close++]);
        if (close >= length)
            break;
        const int after = close + 1;
        if (after < length && text[after] != ',')
            break;
        int end = close;
        while (end > i + 1 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        if (end > i + 1) {
            if (bits < 0x80)
                table_.SetCellText(column, row, QLatin1String(text + i + 1, end - i - 1));
            else
                table_.SetCellText(column, row, wideCellText(text + i + 1, end - i - 1));
        }
        ++column;
        i = after + 1;
    }
    if (i >= length && i > 0)
        return; // the line ended with a field: what follows its comma is an empty field
    parseFields(text + i, length - i, row, column);
}

void DrawFileParser::parseFields(const char* text, int length, int row, int column) {
    enum class State { Normal, Quoted, Braced };
    State state = State::Normal;
    char field[MaxDrawLineLength];
    int fieldLength = 0;

    const auto endField = [&] {
        while (fieldLength > 0 && (field[fieldLength - 1] == ' ' || field[fieldLength - 1] == '\t'))
            --fieldLength;
        if (fieldLength > 0)
            setCell(table_, column, row, field, fieldLength);
        fieldLength = 0;
        ++column;
    };

    for (int i = 0; i < length && column < TDrawTable::ColCount; ++i) {
        const char c = text[i];
        switch (state) {
        case State::Normal:
            if (c == '"')
                state = State::Quoted;
            else if (c == ',')
                endField();
            else if (c == '{')
                state = State::Braced; // a picture reference, not cell text
            else
                field[fieldLength++] = c;
            break;
        case State::Quoted:
            if (c == '"')
                state = State::Normal;
            else
                field[fieldLength++] = c;
            break;
        case State::Braced:
            if (c == '}')
                state = State::Normal;
            break;
        }
    }
    if (column < TDrawTable::ColCount)
        endField();
}

QString loadDrawFile(const QString& path, TDrawTable& table) {
    table.ClearRows();
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    // Directories, pipes and devices are no draw files; reading one could block forever.
    if (!info.isFile())
        return fileErrorText(EACCES);
    if (info.size() > MaxDrawFileSize)
        return drawFileTooLargeText();

    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fileErrorText(lastError(EIO));

    DrawFileParser parser(table);
    QByteArray chunk(ChunkSize, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        errno = 0;
        const qint64 count = file.read(chunk.data(), chunk.size());
        if (count < 0) {
            const int error = lastError(EIO);
            table.ClearRows();
            return fileErrorText(error);
        }
        total += count;
        if (count == 0 || !parser.feed(chunk.constData(), count))
            break;
        if (total > MaxDrawFileSize) { // the file grew while being read
            table.ClearRows();
            return drawFileTooLargeText();
        }
    }
    parser.finish();
    if (parser.tooManyLines()) {
        table.ClearRows();
        return drawFileTooLargeText();
    }
    return {};
}

QString saveDrawFile(const QString& path, const TDrawTable& table) {
    if (path.isEmpty())
        return fileErrorText(ENAMETOOLONG);
    SafeFileWriter file(path);
    if (!file.open())
        return fileErrorText(file.systemError());
    DrawFileWriter writer(file);
    for (int row = 1; row < table.RowCount(); ++row) {
        if (!writer.writeRow(table, row))
            return fileErrorText(file.systemError());
    }
    if (!writer.flush() || !file.commit())
        return fileErrorText(file.systemError());
    return {};
}

QString fileErrorText(int systemError) {
    switch (systemError) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("Disk full");
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return QStringLiteral("File access denied");
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return QStringLiteral("Invalid filename");
    default:
        return QStringLiteral("I/O error %1").arg(systemError);
    }
}

QString drawFileTooLargeText() {
    return QStringLiteral("The draw file is too large");
}
