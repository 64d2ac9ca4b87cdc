#include "SafeFile.h"

#include <QDir>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace {

int lastError(int fallback) {
    return errno != 0 ? errno : fallback;
}

} // namespace

FileReadResult readRegularFile(const QString& path, qint64 maxBytes) {
    FileReadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.status = FileReadResult::Missing;
        return result;
    }
    // Pipes, sockets and devices are never the program's files; a read could block forever.
    // QFileInfo follows links, so a link to /dev/zero is refused too.
    if (!info.isFile()) {
        result.status = FileReadResult::NotRegular;
        return result;
    }
    if (info.size() > maxBytes) {
        result.status = FileReadResult::TooLarge;
        return result;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        result.status = FileReadResult::Failed;
        result.systemError = lastError(EIO);
        return result;
    }
    // Read one byte past the bound so a file that grew since the size check is caught.
    result.bytes.resize(qsizetype(info.size()) + 1);
    qint64 total = 0;
    for (;;) {
        if (total == result.bytes.size()) {
            if (total > maxBytes) {
                result.status = FileReadResult::TooLarge;
                result.bytes.clear();
                return result;
            }
            result.bytes.resize(qsizetype(qMin<qint64>(maxBytes + 1, total * 2 + 4096)));
        }
        errno = 0;
        const qint64 count = file.read(result.bytes.data() + total, result.bytes.size() - total);
        if (count < 0) {
            result.status = FileReadResult::Failed;
            result.systemError = lastError(EIO);
            result.bytes.clear();
            return result;
        }
        if (count == 0)
            break;
        total += count;
    }
    if (total > maxBytes) {
        result.status = FileReadResult::TooLarge;
        result.bytes.clear();
        return result;
    }
    result.bytes.truncate(qsizetype(total));
    result.status = FileReadResult::Ok;
    return result;
}

SafeFileWriter::SafeFileWriter(const QString& path) : path_(path) {}

SafeFileWriter::~SafeFileWriter() {
    if (file_ && file_->isOpen())
        file_->cancelWriting();
}

bool SafeFileWriter::fail(int fallback) {
    failed_ = true;
    if (systemError_ == 0)
        systemError_ = lastError(fallback);
    if (file_ && file_->isOpen())
        file_->cancelWriting();
    return false;
}

bool SafeFileWriter::open() {
    if (path_.isEmpty()) {
        systemError_ = ENOENT;
        failed_ = true;
        return false;
    }
    const QFileInfo target(path_);
    if (target.isDir()) { // QSaveFile refuses it without a system error
        systemError_ = EISDIR;
        failed_ = true;
        return false;
    }
    // A pipe or device in the file's place is not ours to replace.
    if (target.exists() && !target.isFile()) {
        systemError_ = EACCES;
        failed_ = true;
        return false;
    }
    file_ = std::make_unique<QSaveFile>(path_);
    errno = 0;
    // Unbuffered: each write reaches the system at once and its failure is seen here.
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(EACCES);
    return true;
}

bool SafeFileWriter::write(const char* data, qint64 size) {
    if (failed_ || !file_ || !file_->isOpen())
        return false;
    qint64 done = 0;
    while (done < size) {
        errno = 0;
        const qint64 count = file_->write(data + done, size - done);
        if (count <= 0)
            return fail(EIO);
        done += count;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (failed_ || !file_ || !file_->isOpen())
        return false;
    errno = 0;
    if (!file_->flush())
        return fail(EIO);
    // The data must be on the disk before the rename makes it the file.
    const int handle = file_->handle();
    if (handle >= 0 && ::fsync(handle) != 0)
        return fail(EIO);
    errno = 0;
    if (file_->error() != QFileDevice::NoError)
        return fail(EIO);
    if (!file_->commit()) {
        failed_ = true;
        systemError_ = lastError(EIO);
        return false;
    }
    return true;
}

WriteFileResult writeWholeFile(const QString& path, const QByteArray& bytes, int* systemError) {
    SafeFileWriter writer(path);
    WriteFileResult result = WriteFileResult::Written;
    if (!writer.open())
        result = WriteFileResult::CannotCreate;
    else if (!writer.write(bytes) || !writer.commit())
        result = WriteFileResult::WriteFailed;
    if (systemError)
        *systemError = writer.systemError();
    return result;
}

QString writeFileMessage(WriteFileResult result, const QString& path) {
    switch (result) {
    case WriteFileResult::Written:
        return {};
    case WriteFileResult::CannotCreate:
        return QStringLiteral("Cannot create file %1").arg(path);
    case WriteFileResult::WriteFailed:
        break;
    }
    return QStringLiteral("Stream write error");
}

QString writeTextReport(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return writeFileMessage(writeWholeFile(path, bytes), QDir::toNativeSeparators(path));
}
