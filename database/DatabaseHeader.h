#pragma once

#include <QString>

struct TLotteryState;
class ProfileFile;

// The header file (".bmd") of a database: an INI file with one section, "Database", holding
// "Name", "Pick", "Random", "Bonus" and "Description". The name is also the stem of the
// header and draw file names, so it must be a plain file name.

struct DatabaseHeader {
    QString name;
    int pick = 0;
    int random = 0;
    bool bonus = false;
    QString description;
};

// The values of `headerPath`; a key that is missing or unreadable keeps its value in
// `previous` (so a missing file yields `previous` unchanged). A file that exists but cannot be
// read yields `previous` too, and `error` (when given) says why; otherwise it is set to "".
DatabaseHeader readDatabaseHeader(const QString& headerPath, const DatabaseHeader& previous,
                                  QString* error = nullptr);
// The same for a header file already read.
DatabaseHeader readDatabaseHeader(const ProfileFile& file, const DatabaseHeader& previous,
                                  QString* error = nullptr);

// Writes the five keys in order. Returns "" or the text to show: the refusal of an unusable
// name (nothing is written), or "Unable to write to <path>".
QString writeDatabaseHeader(const QString& headerPath, const DatabaseHeader& header);

// The header fields of `state`, and back.
DatabaseHeader headerOf(const TLotteryState& state);
void applyHeader(const DatabaseHeader& header, TLotteryState& state);

// A name usable as a file name stem: not empty, no "/" or "\", no "..", no control character.
bool isSafeDatabaseName(const QString& name);
// Why `name` is refused; "" when it is safe.
QString databaseNameError(const QString& name);
// The refusal of `name` as a database name: "\"<name>\" is not a valid database name".
QString invalidDatabaseNameText(const QString& name);

// `folder` (with or without a trailing "/") + name + ".bmd".
QString headerFilePath(const QString& folder, const QString& name);
// The draw file lives beside its header file: header folder + name + ".bmi".
QString drawFilePath(const QString& headerPath, const QString& dataName);
