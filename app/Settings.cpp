#include "Settings.h"

#include "state/LotteryState.h"
#include "database/DatabaseHeader.h"
#include "platform/ProfileFile.h"

#include <QFileInfo>
#include <QtGlobal>

namespace {
const QString Section = QStringLiteral("Options");
}

namespace Settings {

void correct(TLotteryState& state, int* selection) {
    *selection = qBound(0, *selection, 6);
    // The selector is what the user sees, so the pick count follows it.
    state.PickCount = *selection + 1;
    state.LowNumber = qBound(1, state.LowNumber, 90);
    state.RandomBound = qBound(10, state.RandomBound, 100);
    // A name no file can carry (a path, or longer than a file name may be) turns the reload off.
    const bool fitsFileName = (state.DataName + QStringLiteral(".bmd")).toUtf8().size() <= 255;
    if (state.DatabaseLoaded && (!isSafeDatabaseName(state.DataName) || !fitsFileName)) {
        state.DatabaseLoaded = false;
        state.DataName.clear();
    }
}

bool load(const QString& path, TLotteryState& state, int* selection) {
    if (!QFileInfo::exists(path))
        return false;
    const ProfileFile file(path);
    // A key that is missing or does not read takes the value a missing file gives.
    state.PickCount = file.readInt(Section, QStringLiteral("Pick"), DefaultPick);
    state.RandomBound = file.readInt(Section, QStringLiteral("Random"), DefaultRandomBound);
    state.LowNumber = file.readInt(Section, QStringLiteral("Low"), DefaultLow);
    *selection = file.readInt(Section, QStringLiteral("Selection"), DefaultSelection);
    state.DatabaseLoaded = file.readInt(Section, QStringLiteral("LoadData"), 0) != 0;
    state.DataName = file.readString(Section, QStringLiteral("DataName"), QString());
    correct(state, selection);
    return true;
}

QString save(const QString& path, const TLotteryState& state, int selection) {
    ProfileFile file(path);
    file.writeInt(Section, QStringLiteral("Pick"), state.PickCount);
    file.writeInt(Section, QStringLiteral("Random"), state.RandomBound);
    file.writeInt(Section, QStringLiteral("Low"), state.LowNumber);
    file.writeInt(Section, QStringLiteral("Selection"), selection);
    file.writeString(Section, QStringLiteral("LoadData"),
                     state.DatabaseLoaded ? QStringLiteral("1") : QStringLiteral("0"));
    file.writeString(Section, QStringLiteral("DataName"), state.DataName);
    return file.save() ? QString() : QStringLiteral("Unable to write to %1").arg(path);
}

} // namespace Settings
