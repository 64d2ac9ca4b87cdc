#pragma once

#include <QString>

class TDrawTable;

// The draw file: one text line per data row of the table, ten quoted cells joined by commas,
// each line ended by a single CR. Bytes are read as UTF-8 where a cell is valid UTF-8 and as
// Latin-1 otherwise, so any file loads and every program-written cell comes back unchanged.

// Limits that keep a hostile file from exhausting memory; a real game has a few thousand draws.
constexpr qint64 MaxDrawFileSize = 64 * 1024 * 1024;
constexpr int MaxDrawRowCount = 1000000;
constexpr int MaxDrawLineLength = 2048;

// Turns draw-file bytes into table rows, fed in pieces of any size: a line may span pieces.
// Rows start at 1; the table grows as needed and is never shrunk; cells not in the file are
// left as they were (callers clear the rows first).
class DrawFileParser {
public:
    explicit DrawFileParser(TDrawTable& table) : table_(table) {}

    // Returns false once the input has ended (end-of-file byte, or too many lines): the rest
    // of the input is to be ignored.
    bool feed(const char* data, qsizetype size);
    // Ends the last line when the input stops without a CR.
    void finish();
    // More lines than MaxDrawRowCount allows: the table holds only the first ones.
    bool tooManyLines() const { return tooManyLines_; }

private:
    void append(const char* begin, const char* end);
    // `cut`: the line was longer than MaxDrawLineLength and `text` holds its start.
    void endLine(const char* text, int length, bool cut);
    void parseLine(const char* text, int length, int row);
    // The general rules, for the fields of a line from `column` on.
    void parseFields(const char* text, int length, int row, int column);

    TDrawTable& table_;
    char line_[MaxDrawLineLength] = {};
    int lineLength_ = 0;
    bool lineOpen_ = false; // bytes of an unfinished line were seen
    bool lineCut_ = false;  // the unfinished line has outgrown line_
    bool afterCr_ = false;  // an LF right after a CR belongs to that line end
    bool ended_ = false;
    bool tooManyLines_ = false;
    int row_ = 1;
};

// Clears rows 1.. of `table` and reads `path` into them. A missing file leaves the rows empty
// and is not an error. Returns "" or the text to show; on an error the rows are left empty.
QString loadDrawFile(const QString& path, TDrawTable& table);

// Writes rows 1..RowCount-1 whole or not at all: a failure leaves the old file as it was.
// Returns "" or the text to show. Characters that the format cannot carry inside a cell
// (double quote, CR, end-of-file byte) are left out.
QString saveDrawFile(const QString& path, const TDrawTable& table);

// True when a cell holding `cell` reads back unchanged from a saved draw file: none of the
// characters saveDrawFile leaves out, no trailing blank or tab (the reader trims them), and
// text that has a UTF-8 form.
bool drawFileKeepsCell(const QString& cell);

// The text shown for a failed file operation with the system's error code.
QString fileErrorText(int systemError);

// The message shown when a draw file exceeds the limits above.
QString drawFileTooLargeText();
