// The database window with 100,000 draws: Ok (one appended draw and the save of the whole draw
// file) against a plain write of the same bytes, and the grid scrolled through the table.
//   bench_database
#include "state/AppContext.h"
#include "state/LotteryState.h"
#include "database/Database.h"
#include "database/DatabaseHeader.h"
#include "database/DrawTable.h"
#include "platform/HintDisplay.h"
#include "platform/Platform.h"
#include "platform/QtDialogService.h"
#include "platform/QtPrintService.h"
#include "platform/QtSoundOutput.h"
#include "platform/SystemClock.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Draws = 100000;
constexpr int Repeats = 15;
constexpr double GoalRatio = 3.0;
constexpr double GoalFrameMs = 50.0; // a pause a user would see

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void writeDatabase(const QString& folder) {
    writeDatabaseHeader(folder + QStringLiteral("Bench.bmd"),
                        {QStringLiteral("Bench"), 6, 49, true, QString()});
    TDrawTable table;
    table.SetHeader(6, true);
    table.SetRowCount(Draws + 1);
    QRandomGenerator random(649);
    for (int row = 1; row <= Draws; ++row) {
        table.SetCellText(0, row, QStringLiteral(" 06/12/97"));
        for (int column : {1, 2, 3, 4, 5, 6, 8})
            table.SetCellText(
                column, row,
                QStringLiteral("  %1").arg(1 + random.bounded(49), 2, 10, QLatin1Char('0')));
    }
    table.SaveRows(folder + QStringLiteral("Bench.bmi"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir scratch;
    const QString folder = scratch.path() + u'/';
    writeDatabase(folder);

    TLotteryState state;
    TDrawTable table;
    QtSoundOutput sound;
    QtPrintService printer;
    QtDialogService dialogs;
    SystemClock clock;
    Platform platform{sound, printer, dialogs, clock, folder};
    HintDisplay hints;
    AppContext context{state, table, platform, hints};
    TForm7 window(context);
    if (!window.OpenDatabase(folder + QStringLiteral("Bench.bmd")).opened() ||
        state.DataTotalDraws != Draws) {
        std::printf("could not open the benchmark database\n");
        return 1;
    }
    window.show();
    app.processEvents();

    // Each round times Ok (the typed draw appended, the whole file saved, the grid showing it),
    // the save alone, and a plain write of the file's bytes with and without fsync, one after
    // the other, so that all four see the same load on the machine.
    const QString drawPath = folder + QStringLiteral("Bench.bmi");
    const QString plainPath = folder + QStringLiteral("plain.bmi");
    std::vector<double> okMs, saveMs, writeMs, syncedMs;
    QByteArray bytes;
    for (int i = 0; i < Repeats; ++i) {
        window.Button9Click();
        for (int k : {1, 2, 3, 4, 5, 6, 9})
            window.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(k))
                ->setText(QString::number(k + i));
        QElapsedTimer timer;
        timer.start();
        window.Button6Click();
        app.processEvents();
        okMs.push_back(timer.nsecsElapsed() / 1e6);

        QFile saved(drawPath);
        if (!saved.open(QIODevice::ReadOnly))
            return 1;
        bytes = saved.readAll();

        timer.start();
        if (!table.SaveRows(folder + QStringLiteral("saved.bmi")).isEmpty())
            return 1;
        saveMs.push_back(timer.nsecsElapsed() / 1e6);

        for (const bool sync : {false, true}) {
            timer.start();
            QFile out(plainPath);
            if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
                !out.flush() || (sync && ::fsync(out.handle()) != 0))
                return 1;
            out.close();
            (sync ? syncedMs : writeMs).push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    if (state.DataTotalDraws != Draws + Repeats) {
        std::printf("Ok did not store every draw\n");
        return 1;
    }
    const double ok = median(okMs);
    const double plain = median(writeMs);
    const bool okMet = ok <= GoalRatio * plain;
    std::printf("Ok on %d draws (%.1f MB file): median %.1f ms, plain write of the same bytes "
                "%.1f ms -> %.2fx (goal <= %.1fx): %s\n",
                Draws, bytes.size() / 1e6, ok, plain, ok / plain, GoalRatio,
                okMet ? "met" : "NOT met");
    std::printf("  of which the all-or-nothing save of the draw file: median %.1f ms\n",
                median(saveMs));
    std::printf("  plain write with fsync of the same bytes: median %.1f ms -> Ok %.2fx of it\n",
                median(syncedMs), ok / median(syncedMs));

    // Scrolling: the grid jumps through the whole table and repaints at each stop.
    auto* grid = window.findChild<QTableView*>(QStringLiteral("SuperGrid1"));
    QScrollBar* bar = grid->verticalScrollBar();
    std::vector<double> frameMs;
    constexpr int Stops = 200;
    for (int i = 0; i <= Stops; ++i) {
        QElapsedTimer timer;
        timer.start();
        bar->setValue(int(qint64(bar->maximum()) * i / Stops));
        grid->viewport()->repaint();
        frameMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    for (int i = 0; i < 500; ++i) { // line by line, as the arrow keys move
        QElapsedTimer timer;
        timer.start();
        bar->setValue(bar->value() - 1);
        grid->viewport()->repaint();
        frameMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double worst = *std::max_element(frameMs.begin(), frameMs.end());
    const bool scrollMet = worst <= GoalFrameMs;
    std::printf("grid scrolling %d draws: median frame %.2f ms, worst %.2f ms over %zu frames "
                "(goal worst <= %.0f ms): %s\n",
                Draws, median(frameMs), worst, frameMs.size(), GoalFrameMs,
                scrollMet ? "met" : "NOT met");
    return okMet && scrollMet ? 0 : 1;
}
