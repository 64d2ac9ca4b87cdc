#pragma once

#include <QString>

// The program keeps its settings and new databases beside its executable, as it always has;
// installed system-wide, that folder is not the user's to write, and the user's own data
// folder takes them instead.

// True when this process may create files in `folder`.
bool isWritableFolder(const QString& folder);

// "" (use the program folder) when it is writable, else `userDataFolder` with a trailing '/'.
QString chooseDataFolder(bool programFolderWritable, const QString& userDataFolder);
