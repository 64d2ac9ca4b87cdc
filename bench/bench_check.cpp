// Checker speed: loading a check file of 100,000 saved lines and checking them, against the
// least any loader does (reading the bytes and cutting them into lines), then the same through
// the checker window itself with every line a winner, so the result list holds 100,000 lines.
//   bench_check [saved lines, default 100000]
#include "lines/CheckFile.h"
#include "check/Check.h"
#include "check/LineMatch.h"
#include "platform/SafeFile.h"
#include "support/TestContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int DefaultLines = 100000;
constexpr int Repeats = 15;
constexpr double GoalRatio = 3.0;
constexpr double GoalWindowMs = 1000.0; // one blocking step a user would still call a pause

// Lines as the main window writes them: sorted distinct numbers, mostly six from 49.
QStringList savedLines(int count) {
    QRandomGenerator random(649);
    QStringList lines = CheckFile::headerLines();
    for (int i = 0; i < count; ++i) {
        const int pick = 6;
        std::vector<int> numbers;
        while (int(numbers.size()) < pick) {
            const int n = 1 + int(random.bounded(49));
            if (std::find(numbers.begin(), numbers.end(), n) == numbers.end())
                numbers.push_back(n);
        }
        std::sort(numbers.begin(), numbers.end());
        QString line = QStringLiteral("%1/49  >  ").arg(pick);
        for (size_t k = 0; k < numbers.size(); ++k)
            line += (k ? QStringLiteral(" - ") : QString()) +
                    QStringLiteral("%1").arg(numbers[k], 2, 10, QLatin1Char('0'));
        lines << line;
    }
    return lines;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F> double timeMs(F&& run) {
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e6;
}

// The least a loader does: the bytes, cut at every line end into one string per line.
qsizetype readAndSplit(const QString& path) {
    const FileReadResult file = readRegularFile(path, CheckFile::MaxFileSize);
    QStringList lines;
    const QByteArray& bytes = file.bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        lines << QString::fromLatin1(bytes.constData() + start, i - start);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return lines.size();
}

LineMatch::WinningEntries entries(const QStringList& numbers, const QString& bonus) {
    LineMatch::WinningEntries result;
    for (int k = 0; k < LineMatch::FieldCount; ++k)
        result.numbers[size_t(k)] = LineMatch::entryOf(numbers.value(k));
    result.bonus = bonus;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int Lines = argc > 1 ? QByteArray(argv[1]).toInt() : DefaultLines;
    if (Lines <= 0)
        return 2;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("lines.bmc"));
    if (!CheckFile::write(path, savedLines(Lines)).isEmpty())
        return 2;
    std::printf("check file: %d saved lines, %lld bytes; median of %d runs\n", Lines,
                QFileInfo(path).size(), Repeats);

    // The phases take turns, so a busy machine slows each alike; ratios are per round.
    const auto typical = entries({"05", "12", "23", "31", "40", "44"}, QStringLiteral("07"));
    // Two blanks hit the unused seventh field of every six-number line: all of them win.
    const auto everything = entries({"  "}, QString());
    int winners = 0;
    int allWinners = 0;
    std::vector<double> base, some, all, ratioSome, ratioAll;
    for (int round = 0; round < Repeats; ++round) {
        base.push_back(timeMs([&] { readAndSplit(path); }));
        some.push_back(timeMs([&] {
            TextLines lines;
            CheckFile::readLines(path, &lines);
            winners = LineMatch::checkLines(lines, typical, 3, true).winners;
        }));
        all.push_back(timeMs([&] {
            TextLines lines;
            CheckFile::readLines(path, &lines);
            allWinners = LineMatch::checkLines(lines, everything, 1, true).winners;
        }));
        ratioSome.push_back(some.back() / base.back());
        ratioAll.push_back(all.back() / base.back());
    }
    const double ratio = median(ratioSome);
    const double ratioEvery = median(ratioAll);
    std::printf("read + split into lines          %8.1f ms\n", median(base));
    std::printf("load + check, %6d winners      %8.1f ms  %.2fx\n", winners, median(some), ratio);
    std::printf("load + check, %6d winners      %8.1f ms  %.2fx\n", allWinners, median(all),
                ratioEvery);

    // The window: Load, then Check with the result list filled in one go; each step until
    // the window has handled everything it was sent.
    constexpr int WindowRounds = 3;
    std::vector<double> loads, checks;
    int resultLines = 0;
    for (int round = 0; round < WindowRounds; ++round) {
        TestContext t;
        t.state.PickCount = 6;
        TForm6 window(t.context);
        window.show();
        QApplication::processEvents();
        window.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(1);
        window.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("  "));
        t.dialogs.fileAnswers << path;
        loads.push_back(timeMs([&] {
            window.Button1Click();
            QApplication::processEvents();
        }));
        checks.push_back(timeMs([&] {
            window.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
            QApplication::processEvents();
        }));
        resultLines =
            window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->document()->blockCount();
    }
    const double loadMs = median(loads);
    const double checkMs = median(checks);
    std::printf("window: Load %.1f ms, Check %.1f ms (%d result lines shown; median of %d)\n",
                loadMs, checkMs, resultLines, WindowRounds);

    const bool met = ratio <= GoalRatio && ratioEvery <= GoalRatio && loadMs <= GoalWindowMs &&
                     checkMs <= GoalWindowMs && resultLines == Lines + 2;
    std::printf("goal: load + check within %.0fx of read + split (%.2fx, %.2fx); each window "
                "step under %.0f ms: %s\n",
                GoalRatio, ratio, ratioEvery, GoalWindowMs, met ? "met" : "NOT met");
    return met ? 0 : 1;
}
