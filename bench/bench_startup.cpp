// Start-up: process start to the first painted main window, the real program against a plain
// Qt Widgets program of the same make-up (bench_floor), with and without a database to reload,
// and the peak memory of each. Every program runs with the same preloaded probe, which ends it
// just after its first window has been painted; the time is taken from just before the process
// is started to the probe's clock reading (both CLOCK_MONOTONIC). The program runs from a
// program folder of its own: the executable and its plugins, SOUND.DAT, a settings file and,
// for the second case, the 3,622-draw history as a database the settings name for reloading.
//   bench_startup [--runs N] [--program PATH-TO-ballmere] [--prepare DIR]
// --prepare only writes the two program folders into DIR (for profiling) and ends. Without a
// display the programs run offscreen.
#include "state/LotteryState.h"
#include "app/Settings.h"
#include "database/DatabaseHeader.h"
#include "database/DrawTable.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr double GoalRatio = 1.10;

struct Sample {
    double ms = -1;
    double mib = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

qint64 monotonicNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Runs `program` with the probe preloaded, from process start to its first painted window.
Sample timeToFirstPaint(const QString& program) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("LD_PRELOAD=", 0) != 0)
            env.emplace_back(*e);
    env.emplace_back("LD_PRELOAD=" BALLMERE_PROBE);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const QByteArray path = QFile::encodeName(program);
    char* argv[] = {const_cast<char*>(path.constData()), nullptr};

    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const qint64 start = monotonicNs();
    const int failed = posix_spawn(&pid, path.constData(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (failed) {
        close(out[0]);
        return {};
    }
    QByteArray text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    bool ok = false;
    const qint64 painted = text.trimmed().split('\n').last().toLongLong(&ok);
    if (!ok || painted < start)
        return {};
    return {double(painted - start) / 1e6, double(usage.ru_maxrss) / 1024.0};
}

// The 3,622 draws of the history as a database named "Lotto649" in `folder`.
bool writeHistoryDatabase(const QString& folder) {
    QFile csv(QStringLiteral(BALLMERE_HISTORY_CSV));
    if (!csv.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QList<QByteArray> lines = csv.readAll().split('\n');
    TDrawTable table;
    table.SetHeader(6, true);
    QList<QStringList> draws;
    for (const QByteArray& line : lines.mid(1)) {
        const int quote = line.lastIndexOf('"');
        if (quote <= 0)
            continue;
        QString text = QString::fromLatin1(line.mid(1, quote - 1));
        text.replace(QStringLiteral("Febraury"), QStringLiteral("February")); // one misspelt
        const QDate date = QDate::fromString(text, QStringLiteral("MMMM d, yyyy"));
        QStringList cells{date.toString(QStringLiteral(" dd/MM/yy"))};
        for (const QByteArray& number : line.mid(quote + 2).split(','))
            cells << QStringLiteral("  %1").arg(number.trimmed().toInt(), 2, 10, QLatin1Char('0'));
        if (date.isValid() && cells.size() == 8)
            draws.append(cells); // the oldest first, as the program adds them
    }
    table.SetRowCount(int(draws.size()) + 1);
    for (int row = 1; row <= draws.size(); ++row) {
        const QStringList& cells = draws[row - 1];
        for (int column = 0; column < 7; ++column)
            table.SetCellText(column, row, cells[column]);
        table.SetCellText(8, row, cells[7]);
    }
    const QString header = headerFilePath(folder, QStringLiteral("Lotto649"));
    if (draws.size() != 3622)
        std::printf("the history holds %d draws, not 3,622\n", int(draws.size()));
    return draws.size() == 3622 &&
           writeDatabaseHeader(header, {QStringLiteral("Lotto649"), 6, 49, true,
                                        QStringLiteral("6 from 49 with bonus")})
               .isEmpty() &&
           table.SaveRows(drawFilePath(header, QStringLiteral("Lotto649"))).isEmpty();
}

// A program folder: the executable with the files it keeps beside it, and a settings file.
QString makeProgramFolder(const QString& folder, const QString& program, bool withDatabase) {
    QDir().mkpath(folder);
    const QString source = QFileInfo(program).absolutePath() + u'/';
    for (const char* name : {"ballmere-sound.so", "ballmere-print.so", "SOUND.DAT"})
        QFile::copy(source + QLatin1String(name), folder + u'/' + QLatin1String(name));
    const QString copy = folder + QStringLiteral("/ballmere");
    if (!QFile::copy(program, copy))
        return {};
    TLotteryState state;
    state.PickCount = 6;
    state.RandomBound = 50;
    state.LowNumber = 1;
    if (withDatabase) {
        if (!writeHistoryDatabase(folder + u'/'))
            return {};
        state.DatabaseLoaded = true;
        state.DataName = QStringLiteral("Lotto649");
    }
    if (!Settings::save(folder + u'/' + QLatin1String(Settings::FileName), state, 5).isEmpty())
        return {};
    return copy;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int runs = 15;
    QString program = QStringLiteral(BALLMERE_BUILD_DIR "/ballmere");
    QString prepare;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(3, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--program"))
            program = args[i + 1];
        else if (args[i] == QLatin1String("--prepare"))
            prepare = args[i + 1];
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    const QDir root(prepare.isEmpty() ? scratch.path() : prepare);
    const QString plain = makeProgramFolder(root.filePath(QStringLiteral("plain")), program, false);
    const QString reload =
        makeProgramFolder(root.filePath(QStringLiteral("reload")), program, true);
    const QString floor = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_floor");
    if (plain.isEmpty() || reload.isEmpty()) {
        std::printf("could not set up the program folders from %s\n", qPrintable(program));
        return 2;
    }
    if (!prepare.isEmpty())
        return 0;

    std::printf("goal: process start to the first painted main window within %.2fx of a plain Qt "
                "window of the same make-up (bench_floor), with and without a database to reload, "
                "and peak memory within %.2fx; %d paired runs, medians (%s)\n",
                GoalRatio, GoalRatio, runs,
                qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
                    ? ("display " + qgetenv("DISPLAY")).constData()
                    : qgetenv("QT_QPA_PLATFORM").constData());
    struct Case {
        const char* name;
        QString path;
        std::vector<double> ms, mib, timeRatio, memoryRatio;
    };
    std::vector<Case> cases = {{"plain window", floor, {}, {}, {}, {}},
                               {"program", plain, {}, {}, {}, {}},
                               {"program, 3,622 draws reloaded", reload, {}, {}, {}, {}}};
    for (int round = -1; round < runs; ++round) { // round -1 warms the caches up
        std::vector<Sample> samples(cases.size());
        for (size_t k = 0; k < cases.size(); ++k) {
            const size_t i = (k + size_t(round + 1)) % cases.size(); // each goes first in turn
            samples[i] = timeToFirstPaint(cases[i].path);
            if (samples[i].ms < 0) {
                std::printf("%s did not report a painted window\n", cases[i].name);
                return 2;
            }
        }
        if (round < 0)
            continue;
        for (size_t i = 0; i < cases.size(); ++i) {
            cases[i].ms.push_back(samples[i].ms);
            cases[i].mib.push_back(samples[i].mib);
            cases[i].timeRatio.push_back(samples[i].ms / samples[0].ms);
            cases[i].memoryRatio.push_back(samples[i].mib / samples[0].mib);
        }
    }
    bool met = true;
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        std::printf("  %-30s %7.1f ms %6.1f MiB", c.name, median(c.ms), median(c.mib));
        if (i == 0) {
            std::printf("\n");
            continue;
        }
        const double time = median(c.timeRatio);
        const double memory = median(c.memoryRatio);
        const bool ok = time <= GoalRatio && memory <= GoalRatio;
        met = met && ok;
        std::printf("  time %.2fx, memory %.2fx of the plain window: %s\n", time, memory,
                    ok ? "goal met" : "goal NOT met");
    }
    return met ? 0 : 1;
}
