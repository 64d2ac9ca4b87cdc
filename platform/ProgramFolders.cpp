#include "ProgramFolders.h"

#include <QDir>
#include <QTemporaryFile>

bool isWritableFolder(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".write-test-XXXXXX")));
    return probe.open();
}

QString chooseDataFolder(bool programFolderWritable, const QString& userDataFolder) {
    if (programFolderWritable || userDataFolder.isEmpty())
        return {};
    return userDataFolder.endsWith(u'/') ? userDataFolder : userDataFolder + u'/';
}
