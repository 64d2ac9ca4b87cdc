#pragma once

#include <QString>

// The draw file the start-up reload is going to read: that of the database which the settings
// file in `settingsFolder` (ending in "/") names for reloading. "" when the settings name none,
// or a name no file can carry. Reads the settings and the header file; writes nothing.
QString startupDrawFilePath(const QString& settingsFolder);
