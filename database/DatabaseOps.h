#pragma once

#include <QString>
#include <QStringList>

struct TLotteryState;
class TDrawTable;
class ProfileFile;
class DrawFilePreload;

// What the database window, the new-database dialog and the start-up reload do to the loaded
// database: the header values in TLotteryState, the draws in TDrawTable, and the draw file,
// which lives beside the header file (drawFilePath) and is rewritten after every change.

struct DatabaseOpenResult {
    QString error;            // "" when the database was opened
    bool headerFound = false; // the header file existed (a missing one is not an error)
    // The header's rules could not be used: the game was opened without them, and this says
    // why (to be shown once, after the error check).
    QString rulesWarning;
    bool opened() const { return error.isEmpty(); }
};

// Reads the header file (missing keys keep their values in `state`), then the draw file named
// by its "Name" key from the header's folder; sets DatabaseLoaded, DataHeaderPath,
// DataTotalDraws and DataLastDraw. When the header file exists but cannot be read, the name is
// unusable or the draw file cannot be read, `error` says why and neither `state` nor `table`
// is changed. Neither file is ever written.
// The draw file's rows are taken from `preload` when it has read that very file.
DatabaseOpenResult openDatabase(const QString& headerPath, TLotteryState& state, TDrawTable& table,
                                DrawFilePreload* preload = nullptr);
// The same for a header file already read.
DatabaseOpenResult openDatabase(const ProfileFile& header, TLotteryState& state, TDrawTable& table,
                                DrawFilePreload* preload = nullptr);

// After a new header was written at `headerPath`: an empty table of 15 rows with the header
// for the game. No draw file is written until the first draw.
void startEmptyDatabase(const QString& headerPath, TLotteryState& state, TDrawTable& table);

// A draw as typed in the entry boxes: the date ("06/12/97"), the numbers of the game in order,
// and the bonus number (used when the game has one).
struct DrawEntry {
    QString date;
    QStringList numbers;
    QString bonus;
};

struct DrawChangeResult {
    int row = 0;          // the table row written or deleted
    bool changed = false; // the table was changed (even when saving then failed)
    QString error;        // "" or the text to show
};

// Each of the three stores the change in the table, saves the draw file beside the loaded
// header (DataHeaderPath) and keeps DataTotalDraws / DataLastDraw in step with the table. A
// failed save is reported in `error` while the table keeps the change; an unusable DataName or
// an unsuitable row is refused before anything changes. A new draw always follows the last
// stored one, so it becomes the last draw even in a hand-edited file with empty rows.
DrawChangeResult appendDraw(const DrawEntry& entry, TLotteryState& state, TDrawTable& table);
DrawChangeResult replaceDraw(int row, const DrawEntry& entry, TLotteryState& state,
                             TDrawTable& table);
DrawChangeResult deleteDraw(int row, TLotteryState& state, TDrawTable& table);

// The draw count and last draw date of `table`: DataTotalDraws counts the rows holding a date
// and DataLastDraw is the date of the last of them.
void updateDrawTotals(TLotteryState& state, const TDrawTable& table);

// Saves the table to the loaded database's draw file; "" or the text to show.
QString saveLoadedDraws(const TLotteryState& state, const TDrawTable& table);

// The message for Edit or Delete on a row that holds no draw.
QString emptyLineText();

// Cell forms: the date with one leading blank (" 06/12/97"); a number typed with one character
// as two blanks, "0" and the character ("  07"), with two as two blanks and the text ("  23").
QString drawDateCell(const QString& typed);
QString drawNumberCell(const QString& typed);

// A number cell read the way every reader does: leading blanks skipped, the rest a whole
// decimal number with an optional sign. False for an empty cell or any other text.
bool drawCellNumber(const QString& cell, int* value);
