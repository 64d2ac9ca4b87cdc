#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>

class QSaveFile;

// Every file the program reads or writes goes through here.
//
// Reading: regular files only, up to a size bound per kind of file, so a pipe, a device or a
// huge file can neither block the program nor exhaust its memory.
//
// Writing: the whole file goes to a temporary file that replaces the old one only when every
// write, the flush and the sync succeeded; otherwise the old file stays as it was. (Qt's
// buffered QSaveFile renames a short file into place after a failed write, so the file is
// opened unbuffered and every step is checked here.)

struct FileReadResult {
    enum Status { Ok, Missing, NotRegular, TooLarge, Failed };
    Status status = Missing;
    QByteArray bytes;
    int systemError = 0; // errno of a failed open or read
    bool ok() const { return status == Ok; }
};

FileReadResult readRegularFile(const QString& path, qint64 maxBytes);

class SafeFileWriter {
public:
    explicit SafeFileWriter(const QString& path);
    ~SafeFileWriter(); // a writer never committed leaves the old file untouched

    // False when the temporary file cannot be created (a directory in the way, no permission).
    bool open();
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Flushes, syncs and renames into place. False leaves the old file as it was.
    bool commit();

    // errno of the first step that failed (EIO when the system gave none).
    int systemError() const { return systemError_; }

private:
    bool fail(int fallback);

    QString path_;
    std::unique_ptr<QSaveFile> file_;
    bool failed_ = false;
    int systemError_ = 0;
};

enum class WriteFileResult { Written, CannotCreate, WriteFailed };
// The whole of `bytes` as the new content of `path`, or nothing. `systemError` receives errno.
WriteFileResult writeWholeFile(const QString& path, const QByteArray& bytes,
                               int* systemError = nullptr);

// What the user is told of a write: "" when written, else "Cannot create file <path>" or
// "Stream write error".
QString writeFileMessage(WriteFileResult result, const QString& path);

// A report saved as text: `lines` in UTF-8, each ending CR LF, the whole file or nothing.
// "" when written, else the message to show.
QString writeTextReport(const QString& path, const QStringList& lines);
