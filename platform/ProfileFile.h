#pragma once

#include "SafeFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

// An INI text file read and written the classic profile way: CR LF lines, section and key
// names matched without regard to case, integers in decimal or with a "0x" prefix, text values
// cut at 1,023 characters. Writing updates the file in place, keeping comments, other sections
// and unknown keys byte for byte; save() replaces the file whole or not at all.
//
// Each line is read as UTF-8 when it is valid UTF-8 and as Latin-1 otherwise, and written back
// in the encoding it was read in, so a file from a legacy editor keeps its bytes.
class ProfileFile {
public:
    static constexpr int MaxValueLength = 1023;
    // Settings and header files are a few lines; anything larger is not one of them.
    static constexpr qint64 MaxFileSize = 1024 * 1024;

    // Reads the file when it exists; a missing or unreadable file reads as empty.
    explicit ProfileFile(const QString& path);
    // The file at `path` as `read` found it: what the guarded reader gave, or what a test
    // makes the system give.
    ProfileFile(const QString& path, const FileReadResult& read);

    QString path() const { return path_; }
    bool exists() const { return exists_; }
    // Why an existing file could not be read (Ok when it was read or does not exist), and the
    // system's error code for a failed open or read.
    FileReadResult::Status readStatus() const { return readStatus_; }
    int readError() const { return readError_; }

    // The value of section/key, or `defaultValue` when the key is missing or is not an integer.
    int readInt(const QString& section, const QString& key, int defaultValue) const;
    // The value, at most MaxValueLength characters, or `defaultValue` when the key is missing.
    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInt(const QString& section, const QString& key, int value);

    // Writes the whole file; false when it could not be written (the old file is then intact).
    // A file that exists but could not be read (not a regular file, too large, no permission)
    // is never replaced.
    bool save() const;

    // Parses an integer the profile way: optional sign, decimal digits or 0x/0X hex digits.
    static bool parseInt(const QString& text, int* value);

private:
    struct Line {
        QString text;
        bool latin1 = false; // read as Latin-1: written back as Latin-1
        QByteArray ending;   // as read; "\r\n" for new lines
    };

    int findSection(const QString& section) const;
    int findKey(int sectionLine, const QString& key) const;
    int sectionEnd(int sectionLine) const;
    void setLine(int index, const QString& text);
    void insertLine(int index, const QString& text);

    QString path_;
    bool exists_ = false;
    bool unreadable_ = false;
    FileReadResult::Status readStatus_ = FileReadResult::Ok;
    int readError_ = 0;
    QList<Line> lines_;
};
