// The main window's start and end: settings read and corrected, defaults, the settings file
// written back, the hint display and the About window.
#include "about/About.h"
#include "app/Main.h"
#include "controls/Digits.h"
#include "support/ReadOnlyFolder.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QtTest>

using namespace testfiles;

namespace {

QString caption(QWidget& window) {
    return child<QLabel>(window, "Label1")->text();
}

int visibleCounters(TForm1& window) {
    int count = 0;
    for (int n = 1; n <= 7; ++n)
        count += window.digits(n)->isVisibleTo(&window) ? 1 : 0;
    return count;
}

} // namespace

class TestMainSettings : public QObject {
    Q_OBJECT

private slots:
    void firstRunUsesDefaultsAndWritesThem();
    void storedSettingsAreApplied_data();
    void storedSettingsAreApplied();
    void otherContentOfSettingsFileIsKept();
    void favouritesNeverSurviveARestart();
    void unwritableSettingsAreReported();
    void soundIsLoadedOnlyWithADevice();
    void hintsGoToTheStatusBar();
    void aboutWindowShowsTheRelease();
};

void TestMainSettings::firstRunUsesDefaultsAndWritesThem() {
    TestContext t;
    {
        TForm1 window(t.context);
        window.show();
        QCOMPARE(window.windowTitle(), QString("Ballmere Pro V 1.01"));
        QCOMPARE(t.state.PickCount, 6);
        QCOMPARE(t.state.LowNumber, 1);
        QCOMPARE(t.state.RandomBound, 50);
        QCOMPARE(visibleCounters(window), 6);
        QCOMPARE(caption(window), QString("Pick 6 numbers from 1 - 49 inclusive"));
        QCOMPARE(child<QSpinBox>(window, "SpinEdit1")->value(), 49);
        QCOMPARE(child<QPlainTextEdit>(window, "Memo1")->toPlainText(),
                 QString("No Database Loaded !!"));
        QCOMPARE(child<QPlainTextEdit>(window, "Memo2")->toPlainText(),
                 QString("Ballmere Professional\nVersion 1.01\n\n") + QString(60, '-'));
        QCOMPARE(child<QLabel>(window, "Label17")->text(), QString("Total Generated Draws : 0"));
        for (const char* name : {"Button5", "Button9", "Button10", "Button11"})
            QVERIFY2(!child<QPushButton>(window, name)->isEnabled(), name);
        QVERIFY(!child<QLabel>(window, "Label15")->isVisibleTo(&window));
        QVERIFY(!child<QLabel>(window, "Label16")->isVisibleTo(&window));
        QCOMPARE(child<QLabel>(window, "Label15")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));
        QCOMPARE(child<QLabel>(window, "Label16")->palette().color(QPalette::WindowText),
                 QColor(Qt::blue));
    }
    QCOMPARE(readFile(t.path("Ballmere.ini")),
             QByteArray("[Options]\r\nPick=6\r\nRandom=50\r\nLow=1\r\nSelection=5\r\n"
                        "LoadData=0\r\nDataName=\r\n"));
}

void TestMainSettings::storedSettingsAreApplied_data() {
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("caption");

    QTest::newRow("seven") << QByteArray("Pick=7\r\nSelection=6\r\nRandom=50\r\nLow=1") << 7 << 1
                           << 49 << "Pick 7 numbers from 1 - 49 inclusive";
    QTest::newRow("one, singular") << QByteArray("Pick=1\r\nSelection=0\r\nRandom=50\r\nLow=1") << 1
                                   << 1 << 49 << "Pick 1 number from 1 - 49 inclusive";
    QTest::newRow("hexadecimal") << QByteArray("Pick=0x3\r\nSelection=0x2\r\nRandom=0x1e\r\nLow=2")
                                 << 3 << 2 << 29 << "Pick 3 numbers from 2 - 29 inclusive";
    QTest::newRow("pick 0 follows selector")
        << QByteArray("Pick=0\r\nSelection=5\r\nRandom=50\r\nLow=1") << 6 << 1 << 49
        << "Pick 6 numbers from 1 - 49 inclusive";
    QTest::newRow("pick 99, selection 42")
        << QByteArray("Pick=99\r\nSelection=42\r\nRandom=50\r\nLow=1") << 7 << 1 << 49
        << "Pick 7 numbers from 1 - 49 inclusive";
    QTest::newRow("negative selection")
        << QByteArray("Pick=3\r\nSelection=-4\r\nRandom=50\r\nLow=1") << 1 << 1 << 49
        << "Pick 1 number from 1 - 49 inclusive";
    QTest::newRow("low -5, random 1000")
        << QByteArray("Pick=6\r\nSelection=5\r\nRandom=1000\r\nLow=-5") << 6 << 1 << 99
        << "Pick 6 numbers from 1 - 99 inclusive";
    QTest::newRow("low 500, random 3") << QByteArray("Pick=6\r\nSelection=5\r\nRandom=3\r\nLow=500")
                                       << 6 << 90 << 9 << "Pick 6 numbers from 90 - 9 inclusive";
    QTest::newRow("text for numbers")
        << QByteArray("Pick=six\r\nSelection=five\r\nRandom=lots\r\nLow=one") << 6 << 1 << 49
        << "Pick 6 numbers from 1 - 49 inclusive";
    // An empty section reads like no file at all, not as the narrowest range.
    QTest::newRow("keys missing") << QByteArray("") << 6 << 1 << 49
                                  << "Pick 6 numbers from 1 - 49 inclusive";
    QTest::newRow("only the range")
        << QByteArray("Random=31") << 6 << 1 << 30 << "Pick 6 numbers from 1 - 30 inclusive";
}

void TestMainSettings::storedSettingsAreApplied() {
    QFETCH(QByteArray, options);
    QFETCH(int, pick);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, caption);
    TestContext t;
    QVERIFY(writeFile(t.path("Ballmere.ini"), "[Options]\r\n" + options + "\r\n"));
    TForm1 window(t.context);
    window.show();
    QCOMPARE(t.state.PickCount, pick);
    QCOMPARE(window.selection(), pick - 1);
    QCOMPARE(visibleCounters(window), pick);
    QCOMPARE(t.state.LowNumber, low);
    QCOMPARE(t.state.RandomBound, high + 1);
    QCOMPARE(child<QSpinBox>(window, "SpinEdit2")->value(), low);
    QCOMPARE(child<QSpinBox>(window, "SpinEdit1")->value(), high);
    QCOMPARE(::caption(window), caption);
}

void TestMainSettings::otherContentOfSettingsFileIsKept() {
    TestContext t;
    const QString longName(3000, 'n');
    QVERIFY(writeFile(t.path("Ballmere.ini"),
                      "; kept\r\n[options]\r\npick=2\r\nselection=1\r\nloaddata=1\r\n"
                      "dataname=" +
                          longName.toLatin1() + "\r\nTheme=dark\r\n"));
    {
        TForm1 window(t.context);
        // A name too long for any file turns the reload off instead of reaching the disk.
        QVERIFY(!t.state.DatabaseLoaded);
        QVERIFY(t.state.DataName.isEmpty());
        QVERIFY(t.dialogs.messages().isEmpty());
    }
    QCOMPARE(readFile(t.path("Ballmere.ini")),
             QByteArray("; kept\r\n[options]\r\nPick=2\r\nSelection=1\r\nLoadData=0\r\n"
                        "DataName=\r\nTheme=dark\r\nRandom=50\r\nLow=1\r\n"));
}

void TestMainSettings::favouritesNeverSurviveARestart() {
    TestContext t;
    t.state.UseFavorites = true;
    t.state.Favorites[1] = 7;
    t.state.UseExcluded = true;
    t.state.Excluded[2] = 9;
    TForm1 window(t.context);
    QVERIFY(!t.state.UseFavorites);
    QVERIFY(!t.state.UseExcluded);
    QCOMPARE(t.state.Favorites[1], 0);
    QCOMPARE(t.state.Excluded[2], 0);
}

void TestMainSettings::unwritableSettingsAreReported() {
    TestContext t;
    auto window = std::make_unique<TForm1>(t.context);
    const ReadOnlyFolder readOnly(t.folder.path());
    if (!readOnly.effective())
        QSKIP("this file system cannot make a folder read-only");
    window.reset();
    QCOMPARE(t.dialogs.errors, QStringList{"Unable to write to " + t.path("Ballmere.ini")});
}

void TestMainSettings::soundIsLoadedOnlyWithADevice() {
    TestContext withDevice;
    QVERIFY(writeFile(withDevice.path("SOUND.DAT"), "RIFF-image"));
    { TForm1 window(withDevice.context); }
    QCOMPARE(withDevice.sound.stops, 1); // the loaded sound is stopped at the end

    TestContext noDevice;
    noDevice.sound.devices = 0;
    QVERIFY(writeFile(noDevice.path("SOUND.DAT"), "RIFF-image"));
    { TForm1 window(noDevice.context); }
    QCOMPARE(noDevice.sound.stops, 0);
}

void TestMainSettings::hintsGoToTheStatusBar() {
    TestContext t;
    TForm1 window(t.context);
    window.show();
    auto* status = child<QStatusBar>(window, "StatusBar1");
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(child<QPushButton>(window, "Button1"), &enter);
    QCOMPARE(status->currentMessage(), QString("Generate some random numbers"));
    QCoreApplication::sendEvent(child<QSpinBox>(window, "SpinEdit2"), &enter);
    QCOMPARE(status->currentMessage(),
             QString("The lowest range of numbers which will be picked from (min-1 : max-90)"));
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->statusTip().isEmpty())
            QVERIFY2(control->statusTip().startsWith('|'), qPrintable(control->objectName()));
        QVERIFY2(control->toolTip().isEmpty(), qPrintable(control->objectName()));
    }
}

void TestMainSettings::aboutWindowShowsTheRelease() {
    TForm2 about;
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts << label->text();
    QVERIFY(texts.contains("Ballmere Pro"));
    QVERIFY(texts.contains("Version 1.01"));
    QVERIFY(texts.contains("Released : 31 March 1997"));
    auto* ok = child<QPushButton>(about, "Button1");
    QCOMPARE(ok->text(), QString("&Ok"));
    about.show();
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestMainSettings)
#include "tst_mainsettings.moc"
