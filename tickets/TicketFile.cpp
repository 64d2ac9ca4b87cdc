#include "tickets/TicketFile.h"

#include "database/DatabaseHeader.h"
#include "lines/CheckFile.h"
#include "platform/SafeFile.h"
#include "tickets/TicketData.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QLatin1String Signature("Ballmere Pro Tickets");
const QLatin1String DrawPrefix("Draw ");
const QLatin1String IsoDate("yyyy-MM-dd");

} // namespace

namespace TicketFile {

QString pathFor(const QString& headerPath, const QString& dataName) {
    if (!isSafeDatabaseName(dataName))
        return {};
    return QFileInfo(headerPath).dir().filePath(dataName + QLatin1String(".bmt"));
}

QByteArray encode(const QVector<Ticket>& tickets) {
    QString text = Signature + QLatin1String("\r\n");
    for (const Ticket& ticket : tickets) {
        text += QLatin1String("\r\n") + DrawPrefix + ticket.date.toString(IsoDate) +
                QLatin1String("\r\n");
        for (const QString& line : ticket.lines)
            text += line + QLatin1String("\r\n");
    }
    return text.toUtf8();
}

ReadResult decode(const QByteArray& bytes, const QString& path) {
    ReadResult result;
    const QString name = QDir::toNativeSeparators(path);
    auto refuse = [&](int line, const QString& why) {
        result.tickets.clear();
        result.errorLine = line;
        result.error =
            QStringLiteral("The tickets file %1 cannot be read: line %2 %3. It is left as it is.")
                .arg(name)
                .arg(line)
                .arg(why);
        return result;
    };
    const TextLines lines = CheckFile::decodeLines(bytes);
    int number = 0;
    for (const QStringView line : lines) {
        ++number;
        if (line.size() > MaxLineLength)
            return refuse(number, QStringLiteral("is too long"));
        const QStringView text = line.trimmed();
        if (number == 1) {
            if (text != Signature)
                return refuse(number, QStringLiteral("does not start a tickets file"));
            continue;
        }
        if (text.isEmpty())
            continue;
        if (text.startsWith(DrawPrefix)) {
            if (!result.tickets.isEmpty() && result.tickets.last().lines.isEmpty())
                return refuse(number - 1, QStringLiteral("ends a ticket without lines"));
            const QDate date = QDate::fromString(text.sliced(DrawPrefix.size()).toString(), IsoDate);
            if (!date.isValid())
                return refuse(number, QStringLiteral("holds no date of a draw"));
            result.tickets.append({date, {}});
            continue;
        }
        TicketLine played;
        if (!parsePlayedLine(text, &played))
            return refuse(number, QStringLiteral("is not a line of numbers"));
        if (result.tickets.isEmpty())
            return refuse(number, QStringLiteral("holds a line before any draw date"));
        result.tickets.last().lines << line.toString();
    }
    if (number == 0)
        return refuse(1, QStringLiteral("is empty"));
    if (!result.tickets.isEmpty() && result.tickets.last().lines.isEmpty())
        return refuse(number, QStringLiteral("ends a ticket without lines"));
    return result;
}

ReadResult read(const QString& path) {
    if (path.isEmpty())
        return {};
    const FileReadResult file = readRegularFile(path, MaxFileSize);
    if (file.status == FileReadResult::Missing)
        return {};
    if (!file.ok()) {
        ReadResult result;
        result.errorLine = 0;
        result.error = QStringLiteral("The tickets file %1 cannot be read. It is left as it is.")
                           .arg(QDir::toNativeSeparators(path));
        return result;
    }
    return decode(file.bytes, path);
}

QString write(const QString& path, const QVector<Ticket>& tickets) {
    if (path.isEmpty())
        return QStringLiteral("This game has no name to keep its tickets under.");
    return writeFileMessage(writeWholeFile(path, encode(tickets)), QDir::toNativeSeparators(path));
}

} // namespace TicketFile
