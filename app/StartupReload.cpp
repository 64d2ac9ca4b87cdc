#include "StartupReload.h"

#include "state/LotteryState.h"
#include "Settings.h"

#include "database/DatabaseHeader.h"

// Follows the main window's reading of the settings and the reload's opening of the header.
QString startupDrawFilePath(const QString& settingsFolder) {
    TLotteryState state;
    int selection = Settings::DefaultSelection;
    if (!Settings::load(settingsFolder + QLatin1String(Settings::FileName), state, &selection) ||
        !state.DatabaseLoaded)
        return {};
    const QString headerPath = headerFilePath(settingsFolder, state.DataName);
    const DatabaseHeader header = readDatabaseHeader(headerPath, headerOf(state));
    if (!databaseNameError(header.name).isEmpty())
        return {};
    return drawFilePath(headerPath, header.name);
}
