// Draw file speed and memory: LoadRows against a plain read of the same bytes and against a
// straightforward parse that keeps one string per cell, SaveRows against a plain write, for
// 10,000 and 100,000 draws (and the real history when it is at hand). Each phase runs in a
// child process of its own so that its peak memory is its own; times are medians.
//   bench_drawfile [path/to/history.csv]
#include "database/DrawTable.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <malloc.h>
#include <vector>

namespace {

constexpr int Repeats = 7;
constexpr double GoalRatio = 3.0;
constexpr double GoalBytesPerCell = 100.0;

// VmRSS / VmHWM of this process in kB.
qint64 statusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

qint64 heapInUse() {
    return qint64(mallinfo2().uordblks);
}

void fillDraw(TDrawTable& table, int row, const QDate& date, const int (&numbers)[7]) {
    table.SetCellText(0, row, u' ' + date.toString(QStringLiteral("dd/MM/yy")));
    for (int k = 0; k < 6; ++k)
        table.SetCellText(k + 1, row,
                          QStringLiteral("  %1").arg(numbers[k], 2, 10, QLatin1Char('0')));
    table.SetCellText(8, row, QStringLiteral("  %1").arg(numbers[6], 2, 10, QLatin1Char('0')));
}

TDrawTable syntheticTable(int draws) {
    TDrawTable table;
    table.SetHeader(6, true);
    table.SetRowCount(qMax(TDrawTable::MinRowCount, draws + 1));
    QRandomGenerator random(649);
    QDate date(1982, 6, 12);
    for (int row = 1; row <= draws; ++row, date = date.addDays(3)) {
        int numbers[7];
        for (int& n : numbers)
            n = 1 + int(random.bounded(49));
        fillDraw(table, row, date, numbers);
    }
    return table;
}

// "Month D, YYYY",n1,...,n6,bonus per line after a heading line.
TDrawTable historyTable(const QString& csvPath, int* draws) {
    TDrawTable table;
    table.SetHeader(6, true);
    *draws = 0;
    QFile csv(csvPath);
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return table;
    csv.readLine();
    while (!csv.atEnd()) {
        const QString line = QString::fromUtf8(csv.readLine()).trimmed();
        const int close = int(line.lastIndexOf(u'"'));
        const QStringList fields = line.mid(close + 2).split(u',');
        if (close < 0 || fields.size() < 7)
            continue;
        int numbers[7];
        for (int k = 0; k < 7; ++k)
            numbers[k] = fields[k].toInt();
        QDate date = QDate::fromString(line.mid(1, close - 1), QStringLiteral("MMMM d, yyyy"));
        if (!date.isValid())
            date = QDate(1982, 6, 12).addDays(*draws * 3); // misspelt months in the source
        ++*draws;
        table.SetRowCount(qMax(TDrawTable::MinRowCount, *draws + 1));
        fillDraw(table, *draws, date, numbers);
    }
    return table;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The straightforward parse: one pass over the bytes, a line per CR (a LF after it skipped), a
// cell per comma, each cell kept as a string of its own.
std::vector<QString> parseCells(const QByteArray& data) {
    std::vector<QString> cells;
    cells.reserve(size_t(data.size() / 3));
    const char* p = data.constData();
    const char* const end = p + data.size();
    const char* cell = p;
    for (; p < end; ++p) {
        if (*p == ',' || *p == '\r') {
            cells.push_back(QString::fromLatin1(cell, p - cell));
            if (*p == '\r' && p + 1 < end && p[1] == '\n')
                ++p;
            cell = p + 1;
        }
    }
    if (cell < end)
        cells.push_back(QString::fromLatin1(cell, end - cell));
    return cells;
}

// One phase, timed Repeats times; prints "median_ms peak_kb heap_bytes".
int runPhase(const QString& phase, const QString& file, const QString& scratch) {
    const QByteArray bytes =
        phase.startsWith(QLatin1String("write")) ? readAll(file) : QByteArray();
    TDrawTable table;
    if (phase == QLatin1String("save"))
        table.LoadRows(file);
    const QString target = QDir(scratch).filePath(QStringLiteral("out.bmi"));

    const qint64 rssBefore = statusKb("VmRSS:");
    const qint64 heapBefore = heapInUse();
    qint64 heapHeld = 0;
    std::vector<double> times;
    for (int i = 0; i < Repeats; ++i) {
        // What a phase builds is freed after the clock stops.
        QByteArray data;
        std::vector<QString> cells;
        TDrawTable loaded;
        QElapsedTimer timer;
        timer.start();
        if (phase == QLatin1String("read")) {
            data = readAll(file);
            heapHeld = qMax(heapHeld, heapInUse() - heapBefore);
            if (data.isEmpty())
                return 1;
        } else if (phase == QLatin1String("parse")) {
            data = readAll(file);
            cells = parseCells(data);
            heapHeld = qMax(heapHeld, heapInUse() - heapBefore);
            if (cells.empty())
                return 1;
        } else if (phase == QLatin1String("load")) {
            if (!loaded.LoadRows(file))
                return 1;
            heapHeld = qMax(heapHeld, heapInUse() - heapBefore);
        } else if (phase == QLatin1String("write")) {
            QFile out(target);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
                return 1;
        } else if (phase == QLatin1String("write-whole")) {
            QSaveFile out(target);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
                !out.commit())
                return 1;
        } else if (phase == QLatin1String("save")) {
            if (!table.SaveRows(target).isEmpty())
                return 1;
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    const qint64 peakKb = statusKb("VmHWM:") - rssBefore;
    QTextStream(stdout) << median << ' ' << peakKb << ' ' << heapHeld << '\n';
    return 0;
}

struct Measure {
    double ms = -1;
    qint64 peakKb = -1;
    qint64 heap = -1;
};

Measure measure(const QString& phase, const QString& file, const QString& scratch) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--phase"), phase, file, scratch});
    child.waitForFinished(-1);
    const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
    if (child.exitCode() != 0 || parts.size() != 3)
        return {};
    return {parts[0].toDouble(), parts[1].toLongLong(), parts[2].toLongLong()};
}

bool report(QTextStream& out, const QString& name, int draws, const QString& file,
            const QString& scratch) {
    const qint64 size = QFileInfo(file).size();
    const qint64 cells = qint64(qMax(TDrawTable::MinRowCount, draws + 1)) * TDrawTable::ColCount;
    const Measure read = measure(QStringLiteral("read"), file, scratch);
    const Measure parse = measure(QStringLiteral("parse"), file, scratch);
    const Measure load = measure(QStringLiteral("load"), file, scratch);
    const Measure write = measure(QStringLiteral("write"), file, scratch);
    const Measure whole = measure(QStringLiteral("write-whole"), file, scratch);
    const Measure save = measure(QStringLiteral("save"), file, scratch);
    if (read.ms < 0 || parse.ms < 0 || load.ms < 0 || write.ms < 0 || whole.ms < 0 || save.ms < 0) {
        out << name << ": a phase failed\n";
        return false;
    }
    // A plain read only copies bytes; the floor for a load is the parse that keeps a string per
    // cell, as the table does. The ratio to the plain read is shown for the record.
    const double loadRatio = load.ms / parse.ms;
    const double saveRatio = save.ms / whole.ms;
    const double bytesPerCell = double(load.heap) / double(cells);
    out << Qt::fixed << qSetRealNumberPrecision(2);
    out << name << ": " << draws << " draws, " << size / 1024 << " KiB, " << cells << " cells\n"
        << "  plain read       " << read.ms << " ms   peak +" << read.peakKb << " kB\n"
        << "  read + parse     " << parse.ms << " ms   peak +" << parse.peakKb
        << " kB   (one pass, a QString per cell)\n"
        << "  LoadRows         " << load.ms << " ms   peak +" << load.peakKb << " kB   "
        << load.heap << " heap bytes = " << bytesPerCell << " bytes/cell\n"
        << "                   x" << load.ms / read.ms << " of plain read, x" << loadRatio
        << " of read + parse\n"
        << "  plain write      " << write.ms << " ms   (no sync)\n"
        << "  whole-file write " << whole.ms << " ms   (temporary file, sync, rename)\n"
        << "  SaveRows         " << save.ms << " ms   peak +" << save.peakKb << " kB   x"
        << saveRatio << " of whole-file write, x" << save.ms / write.ms << " of plain write\n";
    const bool met =
        loadRatio <= GoalRatio && saveRatio <= GoalRatio && bytesPerCell <= GoalBytesPerCell;
    out << "  goals (load within x" << GoalRatio << " of read + parse, save within x" << GoalRatio
        << " of whole-file write, < " << GoalBytesPerCell
        << " bytes/cell): " << (met ? "met" : "NOT met") << "\n";
    return met;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == QLatin1String("--phase"))
        return runPhase(args[2], args[3], args[4]);

    QTextStream out(stdout);
    QTemporaryDir folder;
    bool allMet = true;
    for (const int draws : {10'000, 100'000}) {
        const QString file = folder.filePath(QStringLiteral("draws%1.bmi").arg(draws));
        syntheticTable(draws).SaveRows(file);
        allMet = report(out, QStringLiteral("synthetic"), draws, file, folder.path()) && allMet;
    }
    const QString csv = args.size() > 1 ? args[1] : QStringLiteral(BALLMERE_HISTORY_CSV);
    int draws = 0;
    const TDrawTable history = historyTable(csv, &draws);
    if (draws > 0) {
        const QString file = folder.filePath(QStringLiteral("history.bmi"));
        history.SaveRows(file);
        allMet = report(out, QStringLiteral("real history"), draws, file, folder.path()) && allMet;
    } else {
        out << "real history: " << csv << " not found, skipped\n";
    }
    return allMet ? 0 : 1;
}
