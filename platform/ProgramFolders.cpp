#include "ProgramFolders.h"

#include <QFile>

#include <unistd.h>

bool isWritableFolder(const QString& folder) {
    // The system's own answer for this process: it knows read-only mounts and the superuser,
    // which permission bits alone do not tell.
    return !folder.isEmpty() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

QString chooseDataFolder(bool programFolderWritable, const QString& userDataFolder) {
    if (programFolderWritable || userDataFolder.isEmpty())
        return {};
    return userDataFolder.endsWith(u'/') ? userDataFolder : userDataFolder + u'/';
}
