// Wheels and odds: the search must come within 5 % of the best published covering of each cell
// within 20 s (and within 3 % on the geometric mean), the guarantee check must take any
// accepted wheel in under 1 s, and the exact odds of 100 lines must take under 0.1 s for a
// wheel on 20 numbers and under 2 s for lines spread over all 49 numbers; the odds of a large
// set must stay within 3 s (estimated) and end within 0.2 s of a stop; a whole wheel job (search,
// check, odds) must end within 3 s of its effort and within 0.2 s of a cancel.
// Arguments: [seconds per covering] [first and last cells to run, e.g. "C(16,6,3)" "C(18,6,3)";
// with them only the search is measured].
#include "odds/SetOdds.h"
#include "wheels/GuaranteeCheck.h"
#include "wheels/WheelJob.h"
#include "wheels/WheelSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <thread>

namespace {

struct Case {
    int v, k, t;
    int published; // best known size in the published covering tables; 0: not in the table
};

// The cells measured: C(v,6,3) for v = 10..24, C(v,6,4) for 10..18, C(v,5,3) for 9..20 and
// C(v,7,4) for 10..16, with the published sizes read from the covering-records table
// (v,k,t,best_known,schonheim). A cell the table leaves out is judged by the bound alone.
QVector<Case> measuredCases() {
    QHash<QString, int> published;
    QFile table(QStringLiteral(BALLMERE_COVERING_RECORDS));
    if (table.open(QIODevice::ReadOnly | QIODevice::Text)) {
        while (!table.atEnd()) {
            const QList<QByteArray> cells = table.readLine().trimmed().split(',');
            if (cells.size() >= 4 && cells[3].toInt() > 0)
                published.insert(QString::fromLatin1(cells[0] + ',' + cells[1] + ',' + cells[2]),
                                 cells[3].toInt());
        }
    }
    struct Range {
        int k, t, from, to;
    };
    QVector<Case> cases;
    for (const Range& r : {Range{6, 3, 10, 24}, Range{6, 4, 10, 18}, Range{5, 3, 9, 20},
                           Range{7, 4, 10, 16}})
        for (int v = r.from; v <= r.to; ++v)
            cases.append({v, r.k, r.t,
                          published.value(QStringLiteral("%1,%2,%3").arg(v).arg(r.k).arg(r.t))});
    return cases;
}

QString name(const Case& c) {
    return QStringLiteral("C(%1,%2,%3)").arg(c.v).arg(c.k).arg(c.t);
}

bool benchSearch(double effortSeconds, const QString& from, const QString& last) {
    QTextStream out(stdout);
    out << "case        published  bound  ours  seconds  check\n";
    double logRatios = 0;
    int measured = 0;
    bool met = true, started = from.isEmpty();
    for (const Case& c : measuredCases()) {
        started = started || name(c) == from;
        if (!started)
            continue;
        if (!last.isEmpty() && name(c) == last)
            started = false; // this one is the last
        const WheelTerms terms{c.v, c.k, c.t, c.t};
        WheelSearchLimits limits;
        limits.effortSeconds = effortSeconds;
        // BENCH_SEED runs the cells from another seed: one seed's runs share their start.
        if (qEnvironmentVariableIsSet("BENCH_SEED"))
            limits.seed = qEnvironmentVariableIntValue("BENCH_SEED");
        WheelSearch search(terms, limits);
        // With BENCH_TRACE set, each shorter wheel as it is found.
        if (qEnvironmentVariableIsSet("BENCH_TRACE"))
            search.setProgress([](int count, qint64 ms) {
                std::fprintf(stderr, "  %d lines at %.2f s\n", count, ms / 1000.0);
            });
        const WheelLines lines = search.run();
        // With BENCH_LINES set, the wheel found, a line of numbers (from 1) each.
        if (qEnvironmentVariableIsSet("BENCH_LINES"))
            for (WheelLine line : lines) {
                for (int p = 0; p < c.v; ++p)
                    if (line & (WheelLine(1) << p))
                        std::fprintf(stderr, " %d", p + 1);
                std::fprintf(stderr, "\n");
            }
        const GuaranteeCheck check = CheckGuarantee(terms, lines);
        met = met && check.holds;
        if (c.published > 0 && !lines.empty()) {
            const double ratio = double(lines.size()) / c.published;
            logRatios += std::log(ratio);
            ++measured;
            met = met && ratio <= 1.05;
        }
        out << QStringLiteral("%1 %2 %3 %4 %5  %6 %7M moves %8\n")
                   .arg(name(c), -11)
                   .arg(c.published > 0 ? QString::number(c.published) : QStringLiteral("?"), 9)
                   .arg(search.lowerBound(), 6)
                   .arg(lines.size(), 5)
                   .arg(search.msToBest() / 1000.0, 8, 'f', 2)
                   .arg(check.holds ? "holds" : "MISSES")
                   .arg(search.movesMade() / 1e6, 0, 'f', 1)
                   .arg(search.bestTurn().isEmpty() ? QString()
                                                    : "(turn: " + search.bestTurn() + ")");
        out.flush();
    }
    const double geometricMean = std::exp(logRatios / std::max(measured, 1));
    met = met && geometricMean <= 1.03;
    out << QStringLiteral("geometric mean of ours / published over the %1 published: %2 (goal "
                          "<= 1.03, each <= 1.05): %3\n")
               .arg(measured)
               .arg(geometricMean, 0, 'f', 4)
               .arg(met ? "met" : "NOT MET");
    return met;
}

// The widest case a window accepts for the check: 29 numbers, 7 a line, 3 if 7 (1,560,780
// cases of 35 triples each), on few random lines, so most cases are missed and every triple of
// them is tried.
bool benchCheck() {
    const WheelTerms terms{29, 7, 3, 7};
    QRandomGenerator random(7);
    WheelLines lines;
    for (int l = 0; l < 8; ++l) {
        WheelLine line = 0;
        while (qPopulationCount(line) < 7)
            line |= WheelLine(1) << random.bounded(29);
        lines.push_back(line);
    }
    QElapsedTimer timer;
    timer.start();
    const GuaranteeCheck check = CheckGuarantee(terms, lines);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const bool met = seconds < 1.0;
    QTextStream(stdout) << QStringLiteral("check of %1 cases (%2 missed): %3 s (goal < 1 s): %4\n")
                               .arg(check.casesChecked)
                               .arg(check.missedCases)
                               .arg(seconds, 0, 'f', 3)
                               .arg(met ? "met" : "NOT MET");
    return met;
}

QVector<QVector<int>> randomLines(int count, int fromNumbers, quint32 seed) {
    QRandomGenerator random(seed);
    QVector<QVector<int>> lines;
    for (int l = 0; l < count; ++l) {
        QVector<int> line;
        while (line.size() < 6) {
            const int number = random.bounded(1, fromNumbers + 1);
            if (!line.contains(number))
                line.append(number);
        }
        lines.append(line);
    }
    return lines;
}

bool benchOdds(const char* what, const QVector<QVector<int>>& lines, double goalSeconds) {
    QElapsedTimer timer;
    timer.start();
    const SetOdds odds = ComputeSetOdds(lines, 6, 49);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const bool met = seconds < goalSeconds && !odds.estimated;
    QTextStream out(stdout);
    out << QStringLiteral("exact odds of %1: %2 subsets in %3 s (goal < %4 s): %5\n")
               .arg(what)
               .arg(odds.work)
               .arg(seconds, 0, 'f', 3)
               .arg(goalSeconds)
               .arg(met ? "met" : "NOT MET");
    for (int h = 6; h >= 1; --h)
        out << QStringLiteral("  best line >= %1 hits: %2\n")
                   .arg(h)
                   .arg(double(odds.atLeast[size_t(h)]), 0, 'g', 8);
    return met;
}

// A large set: its odds are estimated within the work bound, and a stop is heard at once.
bool benchLargeOdds() {
    const QVector<QVector<int>> lines = randomLines(3000, 49, 3);
    QElapsedTimer timer;
    timer.start();
    const SetOdds odds = ComputeSetOdds(lines, 6, 49);
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::atomic<bool> stop{false};
    SetOddsOptions options;
    options.stop = &stop;
    options.workLimit = std::numeric_limits<quint64>::max(); // exact: minutes, unless stopped
    QElapsedTimer sinceStop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sinceStop.start();
        stop = true;
    });
    const SetOdds stopped = ComputeSetOdds(lines, 6, 49, options);
    const qint64 late = sinceStop.elapsed();
    stopper.join();
    const bool met = seconds < 3.0 && odds.estimated && stopped.cancelled && late < 200;
    QTextStream(stdout) << QStringLiteral("odds of 3,000 lines on 49 numbers: %1 in %2 s (goal < "
                                          "3 s); stopped %3 ms after the stop (goal < 200): %4\n")
                               .arg(odds.estimated ? "estimated" : "exact")
                               .arg(seconds, 0, 'f', 2)
                               .arg(late)
                               .arg(met ? "met" : "NOT MET");
    return met;
}

// Whole jobs as the window runs them, with a 10 s effort: how long to the end, and how soon a
// cancel ends them.
bool benchJobs() {
    struct Job {
        const char* what;
        WheelTerms terms;
    };
    const Job jobs[] = {{"1-49, 5 if 5", {49, 6, 5, 5}},
                        {"1-30, 6 if 6", {30, 6, 6, 6}},
                        {"1-49, 3 if 5", {49, 6, 3, 5}},
                        {"29 numbers, 2 if 7", {29, 7, 2, 7}}};
    bool met = true;
    QTextStream out(stdout);
    for (const Job& job : jobs) {
        QVector<int> numbers;
        for (int n = 1; n <= job.terms.pool; ++n)
            numbers.append(n);
        WheelSearchLimits limits;
        limits.effortSeconds = 10;
        QElapsedTimer timer;
        timer.start();
        {
            WheelJob whole(job.terms, numbers, job.terms.lineSize == 7 ? 35 : 49, limits);
            whole.start();
            while (!whole.finished())
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const double seconds = timer.nsecsElapsed() / 1e9;
            const WheelResult& result = whole.result();
            const bool ok = seconds < 13.0 && result.check.holds;
            met = met && ok;
            out << QStringLiteral("job %1: %2 lines%3, odds %4, done in %5 s (goal < 13 s): %6\n")
                       .arg(job.what)
                       .arg(result.lines.size())
                       .arg(result.hurriedStart ? " (hurried start)" : "")
                       .arg(result.odds.estimated ? "estimated" : "exact")
                       .arg(seconds, 0, 'f', 1)
                       .arg(ok ? "met" : "NOT MET");
        }
        for (int afterMs : {2'000, 11'000}) { // during the search, then during check or odds
            WheelJob whole(job.terms, numbers, job.terms.lineSize == 7 ? 35 : 49, limits);
            whole.start();
            std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
            const WheelPhase phase = whole.phase();
            whole.cancel();
            timer.restart();
            while (!whole.finished())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const qint64 late = timer.elapsed();
            met = met && late < 200;
            out << QStringLiteral("  cancel after %1 s (phase %2): ended in %3 ms (goal < 200)\n")
                       .arg(afterMs / 1000)
                       .arg(int(phase))
                       .arg(late);
        }
        out.flush();
    }
    return met;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double effort = argc > 1 ? QString(argv[1]).toDouble() : 20.0;
    const QString from = argc > 2 ? QString(argv[2]) : QString();
    const QString last = argc > 3 ? QString(argv[3]) : QString();
    // A run of chosen cells measures the search alone.
    if (!from.isEmpty())
        return benchSearch(effort > 0 ? effort : 20.0, from, last) ? 0 : 1;
    bool met = benchOdds("a 100-line wheel on 20 numbers", randomLines(100, 20, 20), 0.1);
    met = benchOdds("100 random lines of 6 from 49", randomLines(100, 49, 49), 2.0) && met;
    met = benchCheck() && met;
    met = benchLargeOdds() && met;
    met = benchJobs() && met;
    met = benchSearch(effort > 0 ? effort : 20.0, from, last) && met;
    return met ? 0 : 1;
}
