#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

// The player's tickets for one game, kept beside its header and draw files under the game's
// name with the extension ".bmt" (so the three files travel together): a first line naming the file, then one block a ticket: "Draw yyyy-MM-dd",
// then its lines in the check-file form, a blank line after each block. ISO dates, so that the
// file reads the same whatever date form the system uses.
struct Ticket {
    QDate date;
    QStringList lines;

    bool operator==(const Ticket& o) const { return date == o.date && lines == o.lines; }
};

namespace TicketFile {

constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
constexpr int MaxLineLength = 200;

// ("Games/Lotto 2.bmd", "Lotto") -> "Games/Lotto.bmt", beside the draw file "Games/Lotto.bmi";
// "" for a name that is no plain file name.
QString pathFor(const QString& headerPath, const QString& dataName);

QByteArray encode(const QVector<Ticket>& tickets);

struct ReadResult {
    QVector<Ticket> tickets;
    // "" when read (a missing file is no tickets yet); else what is wrong, with its line.
    QString error;
    int errorLine = 0;
};
ReadResult read(const QString& path);
ReadResult decode(const QByteArray& bytes, const QString& path);

// "" when written; else the message for the player. The old file stays on failure.
QString write(const QString& path, const QVector<Ticket>& tickets);

} // namespace TicketFile
