#include "DatabaseHeader.h"

#include "DrawFile.h"
#include "state/LotteryState.h"
#include "platform/ProfileFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace {

const QString Section = QStringLiteral("Database");

// Names come from files that anyone can edit; a message must stay readable whatever they hold.
QString shownName(const QString& name) {
    constexpr int MaxShown = 60;
    QString shown = name.size() > MaxShown ? name.left(MaxShown) + QStringLiteral("...") : name;
    for (QChar& c : shown) {
        if (c.unicode() < 0x20)
            c = u'?';
    }
    return shown;
}

// An existing header that cannot be read is refused as a draw file would be: taken as empty,
// it would open the previous name's draws under whatever it was meant to hold.
QString headerReadError(const ProfileFile& file) {
    switch (file.readStatus()) {
    case FileReadResult::Ok:
    case FileReadResult::Missing:
        return {};
    case FileReadResult::NotRegular:
        return fileErrorText(EACCES);
    case FileReadResult::TooLarge:
        return QStringLiteral("The header file is too large");
    case FileReadResult::Failed:
        break;
    }
    return fileErrorText(file.readError());
}

} // namespace

DatabaseHeader readDatabaseHeader(const QString& headerPath, const DatabaseHeader& previous,
                                  QString* error) {
    // Only a regular file is read: a pipe or device in its place could block the program.
    return readDatabaseHeader(ProfileFile(headerPath), previous, error);
}

DatabaseHeader readDatabaseHeader(const ProfileFile& file, const DatabaseHeader& previous,
                                  QString* error) {
    const QString refusal = headerReadError(file);
    if (error)
        *error = refusal;
    if (!refusal.isEmpty())
        return previous;
    DatabaseHeader header;
    header.name = file.readString(Section, QStringLiteral("Name"), previous.name);
    header.pick = file.readInt(Section, QStringLiteral("Pick"), previous.pick);
    header.random = file.readInt(Section, QStringLiteral("Random"), previous.random);
    header.bonus = file.readInt(Section, QStringLiteral("Bonus"), previous.bonus ? 1 : 0) != 0;
    header.description =
        file.readString(Section, QStringLiteral("Description"), previous.description);
    return header;
}

QString writeDatabaseHeader(const QString& headerPath, const DatabaseHeader& header) {
    const QString refusal = databaseNameError(header.name);
    if (!refusal.isEmpty())
        return refusal;
    ProfileFile file(headerPath);
    file.writeString(Section, QStringLiteral("Name"), header.name);
    file.writeInt(Section, QStringLiteral("Pick"), header.pick);
    file.writeInt(Section, QStringLiteral("Random"), header.random);
    file.writeString(Section, QStringLiteral("Bonus"),
                     header.bonus ? QStringLiteral("1") : QStringLiteral("0"));
    file.writeString(Section, QStringLiteral("Description"), header.description);
    if (!file.save())
        return QStringLiteral("Unable to write to %1").arg(headerPath);
    return {};
}

DatabaseHeader headerOf(const TLotteryState& state) {
    return {state.DataName, state.DataPick, state.DataRandom, state.DataBonus,
            state.DataDescription};
}

void applyHeader(const DatabaseHeader& header, TLotteryState& state) {
    state.DataName = header.name;
    state.DataPick = header.pick;
    state.DataRandom = header.random;
    state.DataBonus = header.bonus;
    state.DataDescription = header.description;
}

bool isSafeDatabaseName(const QString& name) {
    return databaseNameError(name).isEmpty();
}

QString databaseNameError(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("This database has no name");
    bool control = false;
    for (const QChar c : name)
        control = control || c.unicode() < 0x20;
    if (control || name.contains(u'/') || name.contains(u'\\') ||
        name.contains(QLatin1String("..")))
        return invalidDatabaseNameText(name);
    return {};
}

QString invalidDatabaseNameText(const QString& name) {
    return QStringLiteral("\"%1\" is not a valid database name").arg(shownName(name));
}

QString headerFilePath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name + QStringLiteral(".bmd"));
}

QString drawFilePath(const QString& headerPath, const QString& dataName) {
    return QDir(QFileInfo(headerPath).path()).filePath(dataName + QStringLiteral(".bmi"));
}
