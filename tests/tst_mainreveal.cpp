// Generating on the main window: the reveal on the counters, Stop, the draw list and its
// Print / Save / Clear, through the fake platform. Counters tick every millisecond here.
#include "lines/LineGenerator.h"
#include "app/Main.h"
#include "lines/CheckFile.h"
#include "controls/Digits.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

using namespace testfiles;

namespace {

constexpr int RevealTimeout = 20000;

// A shown main window on a test context, with SOUND.DAT present and fast counters.
struct Harness {
    TestContext t;
    std::unique_ptr<TForm1> window;

    Harness() {
        QFile sound(t.path("SOUND.DAT"));
        if (sound.open(QIODevice::WriteOnly))
            sound.write("RIFF tick");
        sound.close();
        window = std::make_unique<TForm1>(t.context);
        for (int n = 1; n <= 7; ++n)
            window->digits(n)->setIncDecSpeed(1);
        window->show();
    }
    QPushButton* button(const char* name) { return child<QPushButton>(*window, name); }
    void generate() { QTest::mouseClick(button("Button1"), Qt::LeftButton); }
    // Steps the counters' frames directly until the line is complete.
    bool finish() {
        for (int frames = 0; t.state.Generating && frames < 100000; ++frames) {
            for (int n = 1; n <= 7; ++n) {
                if (window->digits(n)->isRolling())
                    window->digits(n)->timerTick();
            }
        }
        return !t.state.Generating;
    }
    QStringList listed() const {
        return child<QPlainTextEdit>(*window, "Memo2")->toPlainText().split('\n');
    }
    void setPick(int pick) {
        QTest::mouseClick(window->findChild<QRadioButton*>(QString("RadioButton%1").arg(pick)),
                          Qt::LeftButton);
    }
    void setRange(int low, int high) {
        child<QSpinBox>(*window, "SpinEdit2")->setValue(low);
        child<QSpinBox>(*window, "SpinEdit1")->setValue(high);
    }
};

} // namespace

class TestMainReveal : public QObject {
    Q_OBJECT

private slots:
    void revealStopsLeftToRightAndAddsTheLine();
    void windowIsLockedDuringAReveal();
    void stopShowsTheLineAtOnceAndAddsItOnce();
    void generateRightAfterStopKeepsBothLines();
    void countersAboveThePickNeverRollOrTick();
    void statisticsStayLockedThroughARevealsRepaints();
    void lines_data();
    void lines();
    void narrowRangeIsCorrectedBeforeDrawing();
    void impossibleExclusionsAreRefused();
    void noSoundDeviceRevealsSilently();
    void printSaveAndClear();
    void failuresAreReported();
    void favouritesAndExclusionsThroughTheirDialogs();
};

void TestMainReveal::revealStopsLeftToRightAndAddsTheLine() {
    Harness h;
    QList<int> stops;
    for (int n = 1; n <= 7; ++n) {
        connect(h.window->digits(n), &TDigits::OnRotate, this, [&h, &stops, n](TDigits* d) {
            if (d->Value() == h.t.state.LineNumbers[n] && !stops.contains(n))
                stops << n;
        });
    }
    h.generate();
    QVERIFY(h.t.state.Generating);
    QCOMPARE(h.button("Button1")->text(), QString("St&op"));
    QCOMPARE(h.button("Button1")->statusTip(),
             QString("|Press again to get some instant random numbers"));
    QVERIFY(h.finish());

    QCOMPARE(stops, (QList<int>{1, 2, 3, 4, 5, 6}));
    QCOMPARE(h.t.sound.plays, 6);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(h.window->digits(n)->Value(), h.t.state.LineNumbers[n]);
    const QString line = lineListText(h.t.state);
    QVERIFY(QRegularExpression("^6/49  >  \\d\\d( - \\d\\d){5}$").match(line).hasMatch());
    QCOMPARE(h.listed().size(), 5);
    QCOMPARE(h.listed().last(), line);
    QCOMPARE(h.window->drawList().last(), line);
    QCOMPARE(child<QLabel>(*h.window, "Label17")->text(), QString("Total Generated Draws : 1"));
    QCOMPARE(h.button("Button1")->text(), QString("&Generate"));
    QCOMPARE(h.button("Button1")->statusTip(), QString("|Generate some random numbers"));
}

void TestMainReveal::windowIsLockedDuringAReveal() {
    Harness h;
    h.generate();
    for (const char* name : {"Button2", "Button3", "Button4", "Button5", "Button6", "Button7",
                             "Button8", "Button9", "Button10", "Button11", "Button12"})
        QVERIFY2(!h.button(name)->isEnabled(), name);
    QVERIFY(!child<QWidget>(*h.window, "RadioGroup1")->isEnabled());
    QVERIFY(!child<QWidget>(*h.window, "SpinEdit1")->isEnabled());
    QVERIFY(!child<QWidget>(*h.window, "SpinEdit2")->isEnabled());
    QVERIFY(h.button("Button1")->isEnabled());
    QVERIFY(h.finish());
    for (const char* name : {"Button2", "Button3", "Button4", "Button6", "Button7", "Button8",
                             "Button9", "Button10", "Button11", "Button12"})
        QVERIFY2(h.button(name)->isEnabled(), name);
    QVERIFY(!h.button("Button5")->isEnabled()); // no draws stored
}

void TestMainReveal::stopShowsTheLineAtOnceAndAddsItOnce() {
    Harness h;
    h.generate();
    h.generate(); // St&op
    QVERIFY(!h.t.state.Generating);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(h.window->digits(n)->Value(), h.t.state.LineNumbers[n]);
    QCOMPARE(h.listed().size(), 5);
    QCOMPARE(h.t.state.GeneratedCount, 1);
    const int playsAtStop = h.t.sound.plays;
    QTest::qWait(60); // the rolls under way end without sound or a second line
    QCOMPARE(h.t.sound.plays, playsAtStop);
    QCOMPARE(h.listed().size(), 5);
    QCOMPARE(child<QLabel>(*h.window, "Label17")->text(), QString("Total Generated Draws : 1"));
}

void TestMainReveal::countersAboveThePickNeverRollOrTick() {
    Harness h;
    h.setPick(7);
    h.generate();
    for (int frame = 0; frame < 3; ++frame) // all seven under way
        h.window->digits(7)->timerTick();
    h.generate(); // St&op
    h.setPick(3);
    h.generate();
    h.t.sound.plays = 0;
    QVERIFY(h.finish());
    for (int frames = 0; frames < 1000; ++frames) // let every roll still running end
        for (int n = 1; n <= 7; ++n)
            if (h.window->digits(n)->isRolling())
                h.window->digits(n)->timerTick();
    QCOMPARE(h.t.sound.plays, 3);
    QVERIFY(!h.window->digits(7)->isRolling());
    QCOMPARE(h.t.state.GeneratedCount, 2);
}

void TestMainReveal::statisticsStayLockedThroughARevealsRepaints() {
    Harness h;
    h.t.state.DatabaseLoaded = true;
    h.t.table.SetCellText(0, 1, QStringLiteral(" 01/01/99"));
    QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    h.window->repaint();
    QVERIFY(h.button("Button5")->isEnabled());
    h.generate();
    h.window->digits(1)->timerTick();
    h.window->repaint(); // every counter frame repaints the window
    QVERIFY(!h.button("Button5")->isEnabled());
    QVERIFY(h.finish());
    h.window->repaint();
    QVERIFY(h.button("Button5")->isEnabled());
}

void TestMainReveal::generateRightAfterStopKeepsBothLines() {
    Harness h;
    h.generate();
    h.generate();
    const QString first = h.listed().last();
    h.generate();
    QVERIFY(h.finish());
    QCOMPARE(h.t.state.GeneratedCount, 2);
    QCOMPARE(h.listed().size(), 6);
    QCOMPARE(h.listed()[4], first);
}

void TestMainReveal::lines_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("pick 1") << 1 << 1 << 49 << "^1/49  >  \\d\\d$";
    QTest::newRow("44 to 49") << 6 << 44 << 49 << "^6/49  >  44 - 45 - 46 - 47 - 48 - 49$";
    QTest::newRow("pick 7 of 9") << 7 << 3 << 9 << "^7/9  >  03 - 04 - 05 - 06 - 07 - 08 - 09$";
}

void TestMainReveal::lines() {
    QFETCH(int, pick);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, pattern);
    Harness h;
    h.setPick(pick);
    h.setRange(low, high);
    h.generate();
    for (int n = 1; n <= 7; ++n)
        QCOMPARE(h.window->digits(n)->isVisibleTo(h.window.get()), n <= pick);
    QVERIFY(h.finish());
    QCOMPARE(h.t.sound.plays, pick);
    QVERIFY2(QRegularExpression(pattern).match(h.listed().last()).hasMatch(),
             qPrintable(h.listed().last()));
}

void TestMainReveal::narrowRangeIsCorrectedBeforeDrawing() {
    for (const int low : {45, 60}) {
        Harness h;
        h.setRange(low, 49);
        h.generate();
        QCOMPARE(child<QSpinBox>(*h.window, "SpinEdit2")->value(), 1);
        QCOMPARE(h.t.state.LowNumber, 1);
        QCOMPARE(child<QLabel>(*h.window, "Label1")->text(),
                 QString("Pick 6 numbers from 1 - 49 inclusive"));
        QVERIFY(h.finish());
    }
}

void TestMainReveal::impossibleExclusionsAreRefused() {
    Harness h;
    h.setRange(1, 9);
    h.t.state.UseExcluded = true;
    for (int k = 1; k <= 5; ++k)
        h.t.state.Excluded[k] = k;
    h.generate();
    QCOMPARE(h.t.dialogs.warnings.size(), 1);
    QVERIFY(!h.t.state.Generating);
    QVERIFY(h.button("Button2")->isEnabled());
    QCOMPARE(h.button("Button1")->text(), QString("&Generate"));
    QCOMPARE(h.listed().size(), 4);
}

void TestMainReveal::noSoundDeviceRevealsSilently() {
    TestContext t;
    t.sound.devices = 0;
    QFile sound(t.path("SOUND.DAT"));
    QVERIFY(sound.open(QIODevice::WriteOnly));
    sound.close();
    TForm1 window(t.context);
    for (int n = 1; n <= 7; ++n)
        window.digits(n)->setIncDecSpeed(1);
    QTest::mouseClick(child<QPushButton>(window, "Button1"), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&t] { return !t.state.Generating; }, RevealTimeout));
    QCOMPARE(t.sound.plays, 0);
    QCOMPARE(t.state.GeneratedCount, 1);
}

void TestMainReveal::printSaveAndClear() {
    Harness h;
    h.generate();
    QVERIFY(h.finish());
    const QStringList list = h.window->drawList();

    QTest::mouseClick(h.button("Button9"), Qt::LeftButton);
    QCOMPARE(h.t.printer.printedLines, list);
    QCOMPARE(h.t.printer.text.intro, CheckFile::headerLines());

    h.t.dialogs.fileAnswers << h.t.path("mylines");
    QTest::mouseClick(h.button("Button10"), Qt::LeftButton);
    const FileDialogOptions options = h.t.dialogs.fileDialogs.last();
    QCOMPARE(options.title, QString("Save Ballmere Pro Check File"));
    QVERIFY(options.filter.startsWith("Ballmere Pro Check File *.bmc"));
    QCOMPARE(options.defaultExtension, QString("bmc"));
    QCOMPARE(options.initialName, QString("Ballmere"));
    QVERIFY(options.confirmOverwrite);
    QCOMPARE(readFile(h.t.path("mylines.bmc")), (list.join("\r\n") + "\r\n").toLatin1());

    QTest::mouseClick(h.button("Button10"), Qt::LeftButton); // cancelled: nothing happens
    QVERIFY(h.t.dialogs.messages().isEmpty());

    QTest::mouseClick(h.button("Button11"), Qt::LeftButton);
    QCOMPARE(h.listed().size(), 4);
    QCOMPARE(h.t.state.GeneratedCount, 0);
    QCOMPARE(child<QLabel>(*h.window, "Label17")->text(), QString("Total Generated Draws : 0"));
    for (const char* name : {"Button9", "Button10", "Button11"})
        QVERIFY2(!h.button(name)->isEnabled(), name);
}

void TestMainReveal::failuresAreReported() {
    Harness h;
    h.generate();
    QVERIFY(h.finish());
    h.t.printer.failWith = "There is no default printer currently selected";
    QTest::mouseClick(h.button("Button9"), Qt::LeftButton);
    const QString missing = h.t.path("no/such/folder/x.bmc");
    h.t.dialogs.fileAnswers << missing;
    QTest::mouseClick(h.button("Button10"), Qt::LeftButton);
    QCOMPARE(h.t.dialogs.questions.value(0).section(u'.', 0, 0),
             "There is no default printer currently selected");
    QCOMPARE(h.t.dialogs.errors, QStringList{"Cannot create file " + missing});
    QCOMPARE(h.listed().size(), 5);
}

void TestMainReveal::favouritesAndExclusionsThroughTheirDialogs() {
    Harness h;
    const auto answer = [](const QStringList& boxes) {
        QTimer::singleShot(0, [boxes] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            for (int k = 0; k < boxes.size(); ++k)
                QTest::keyClicks(dialog->findChild<QLineEdit*>(QString("Edit%1").arg(k + 1)),
                                 boxes[k]);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        });
    };
    answer({"3", "60"});
    QTest::mouseClick(h.button("Button2"), Qt::LeftButton);
    answer({"7"});
    QTest::mouseClick(h.button("Button12"), Qt::LeftButton);
    QVERIFY(child<QLabel>(*h.window, "Label15")->isVisible());
    QVERIFY(child<QLabel>(*h.window, "Label16")->isVisible());

    for (int round = 0; round < 5; ++round) {
        h.generate();
        h.generate(); // stop at once: the line is complete
        const QString line = h.listed().last();
        const QStringList numbers = line.section(">  ", 1).split(" - ");
        QVERIFY2(numbers.contains("03") && numbers.last() == "60", qPrintable(line));
        QVERIFY2(!numbers.contains("07"), qPrintable(line));
        h.t.clock.millis += 7919;
    }
}

QTEST_MAIN(TestMainReveal)
#include "tst_mainreveal.moc"
