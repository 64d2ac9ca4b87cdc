#pragma once

#include <QString>

// Makes a folder refuse new files for the lifetime of the object: by its permissions, and as
// root (who ignores them) by the immutable attribute where the file system supports it.
// effective() says whether writing into the folder really fails; tests skip when it does not.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool effective() const { return effective_; }

private:
    QString path_;
    bool immutable_ = false;
    bool effective_ = false;
};
