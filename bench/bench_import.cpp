// Importing a published results file against loading the draw file that holds the same draws,
// in one run: the real 6/49 history (3,622 draws), and a synthetic file of 100,000 lines.
// The ratio is taken on processor time with the files in memory (/dev/shm where there is one):
// other programs sharing the machine and the disk's sync of the saved file would otherwise
// decide it. The import into a folder on disk, sync included, is shown beside it.
//   bench_import [path/to/history.csv]
#include "state/LotteryState.h"
#include "database/DatabaseOps.h"
#include "database/DrawFile.h"
#include "database/DrawImport.h"
#include "database/DrawTable.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr double GoalRatio = 3.0;
constexpr double GoalLargeMs = 1000.0;
constexpr int LargeLines = 100'000;

struct Time {
    double wallMs = 0;
    double cpuMs = 0;
};

double cpuNowMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Medians of `repeats` timings of `run`; `prepare` runs before each, off the clock.
Time timeMs(int repeats, const std::function<void()>& prepare, const std::function<void()>& run) {
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuNowMs();
        run();
        cpu.push_back(cpuNowMs() - cpuStart);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    return {median(wall), median(cpu)};
}

TLotteryState game649() {
    TLotteryState state;
    state.DataName = QStringLiteral("Lotto");
    state.DataPick = 6;
    state.DataRandom = 49;
    state.DataBonus = true;
    return state;
}

// One line per day, "Month D, YYYY" as published, numbers distinct within the line.
QByteArray syntheticResults(int lines) {
    QByteArray text = "Date,Num1,Num2,Num3,Num4,Num5,Num6,Bonus\r\n";
    QRandomGenerator random(649);
    QDate date = QDate(2025, 11, 19).addDays(-(lines - 1));
    for (int line = 0; line < lines; ++line, date = date.addDays(1)) {
        text += '"' + date.toString(QStringLiteral("MMMM d, yyyy")).toLatin1() + '"';
        bool taken[50] = {};
        for (int k = 0; k < 7; ++k) {
            int n = 0;
            do
                n = 1 + int(random.bounded(49));
            while (taken[n]);
            taken[n] = true;
            text += ',' + QByteArray::number(n);
        }
        text += "\r\n";
    }
    return text;
}

struct Figures {
    Time import; // read, match, append, save
    Time match;  // read and match only
    Time load;   // loadDrawFile of the draw file the import wrote
    Time onDisk; // the import into a folder on disk
    int added = 0;
    qint64 resultsBytes = 0;
    qint64 drawBytes = 0;
};

// Imports `resultsPath` into an empty 6/49 database in `folder`; returns the draws added.
Time timeImport(const QString& resultsPath, const DrawImportOptions& options, int repeats,
                const QString& folder, int* added) {
    const QString headerPath = QDir(folder).filePath(QStringLiteral("Lotto.bmd"));
    TLotteryState state;
    TDrawTable table;
    return timeMs(
        repeats,
        [&] {
            state = game649();
            table = TDrawTable();
            startEmptyDatabase(headerPath, state, table);
            QFile::remove(QDir(folder).filePath(QStringLiteral("Lotto.bmi")));
        },
        [&] { *added = importDrawHistory(resultsPath, options, state, table).added; });
}

Figures measure(const QString& resultsPath, const DrawImportOptions& options, int repeats,
                const QString& memoryFolder, const QString& diskFolder) {
    Figures figures;
    figures.resultsBytes = QFileInfo(resultsPath).size();
    int onDiskAdded = 0;
    figures.onDisk = timeImport(resultsPath, options, repeats, diskFolder, &onDiskAdded);
    figures.import = timeImport(resultsPath, options, repeats, memoryFolder, &figures.added);
    if (onDiskAdded != figures.added)
        figures.added = -1;

    const QString drawPath = QDir(memoryFolder).filePath(QStringLiteral("Lotto.bmi"));
    figures.drawBytes = QFileInfo(drawPath).size();
    TDrawTable loaded;
    figures.load = timeMs(
        repeats, [] {},
        [&] {
            if (!loadDrawFile(drawPath, loaded).isEmpty())
                figures.added = -1;
        });
    TLotteryState state = game649();
    TDrawTable empty;
    startEmptyDatabase(QDir(memoryFolder).filePath(QStringLiteral("Lotto.bmd")), state, empty);
    figures.match = timeMs(
        repeats, [] {},
        [&] {
            if (readDrawHistory(resultsPath, state, empty, options).draws.empty())
                figures.added = -1;
        });
    return figures;
}

void print(QTextStream& out, const Figures& f) {
    const auto row = [&](const char* name, const Time& time) {
        out << "  " << qSetFieldWidth(37) << Qt::left << name << qSetFieldWidth(0) << time.cpuMs
            << " ms processor, " << time.wallMs << " ms elapsed\n";
    };
    row("import (read, match, append, save)", f.import);
    row("  of which read and match", f.match);
    row("loadDrawFile of the same draws", f.load);
    row("import into a folder on disk", f.onDisk);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << Qt::fixed << qSetRealNumberPrecision(2);
    QTemporaryDir diskFolder;
    QTemporaryDir memoryFolder(QDir(QStringLiteral("/dev/shm")).exists()
                                   ? QStringLiteral("/dev/shm/bench_import-XXXXXX")
                                   : QDir::temp().filePath(QStringLiteral("bench_import-XXXXXX")));
    if (!diskFolder.isValid() || !memoryFolder.isValid())
        return 1;
    bool met = true;

    const QString history =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(BALLMERE_HISTORY_CSV);
    if (QFile::exists(history)) {
        const Figures real = measure(history, {}, 21, memoryFolder.path(), diskFolder.path());
        const double ratio = real.import.cpuMs / real.load.cpuMs;
        const bool realMet = real.added == 3622 && ratio <= GoalRatio;
        out << "real history: " << real.added << " draws, results file " << real.resultsBytes / 1024
            << " KiB, draw file " << real.drawBytes / 1024 << " KiB (medians of 21)\n";
        print(out, real);
        out << "  goal: import within " << GoalRatio << "x of load (processor time): x" << ratio
            << " -> " << (realMet ? "met" : "NOT met") << "\n";
        met = realMet && met;
    } else {
        out << "real history: " << history << " not found, skipped\n";
    }

    // Over 270 years of daily draws: stored with four-digit years so that every date is new.
    const QString large = diskFolder.filePath(QStringLiteral("large.csv"));
    QFile file(large);
    if (!file.open(QIODevice::WriteOnly) || file.write(syntheticResults(LargeLines)) < 0)
        return 1;
    file.close();
    const Figures big =
        measure(large, {QStringLiteral("dd/MM/yyyy")}, 5, memoryFolder.path(), diskFolder.path());
    const bool bigMet = big.added == LargeLines && big.onDisk.wallMs < GoalLargeMs;
    out << "synthetic: " << LargeLines << " lines, " << big.resultsBytes / 1024 << " KiB, "
        << big.added << " draws added (medians of 5)\n";
    print(out, big);
    out << "  goal: under " << GoalLargeMs
        << " ms elapsed into a folder on disk: " << big.onDisk.wallMs << " ms -> "
        << (bigMet ? "met" : "NOT met") << "\n";
    met = bigMet && met;
    return met ? 0 : 1;
}
