// The platform services' own behaviour: wave images, default extensions, long hints, printing
// into a PDF file and the real sound output where a device exists.
#include "platform/FileDialogs.h"
#include "platform/HintDisplay.h"
#include "platform/QtPrintService.h"
#include "platform/QtSoundOutput.h"
#include "platform/WaveImage.h"
#include "support/SoundServer.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void waveImageRoundTrip();
    void waveImageRefusesWhatItCannotPlay_data();
    void waveImageRefusesWhatItCannotPlay();
    void defaultExtension_data();
    void defaultExtension();
    void hintHandlerGetsTheLongHint();
    void printsLinesOnPages();
    void soundOutputSurvivesAnyImage();
};

// Started before Qt Multimedia first looks for devices.
static std::unique_ptr<SoundServer> soundServer;

void TestPlatform::initTestCase() {
    soundServer = std::make_unique<SoundServer>();
}

void TestPlatform::cleanupTestCase() {
    soundServer.reset();
}

void TestPlatform::waveImageRoundTrip() {
    const QByteArray samples("\x01\x00\xff\x7f\x00\x80", 6);
    const QByteArray image = WaveImage::build(22050, samples);
    QCOMPARE(image.size(), 44 + samples.size());
    WaveImage wave;
    QVERIFY(WaveImage::parse(image, &wave));
    QCOMPARE(wave.sampleRate, 22050);
    QCOMPARE(wave.channels, 1);
    QCOMPARE(wave.bitsPerSample, 16);
    QCOMPARE(wave.samples, samples);

    // A data chunk that claims more than the image holds plays what is there.
    QByteArray truncated = image.left(image.size() - 2);
    QVERIFY(WaveImage::parse(truncated, &wave));
    QCOMPARE(wave.samples, samples.left(4));
}

void TestPlatform::waveImageRefusesWhatItCannotPlay_data() {
    QTest::addColumn<QByteArray>("image");
    const QByteArray good = WaveImage::build(8000, QByteArray(10, '\0'));
    QByteArray compressed = good;
    compressed[20] = 2; // format tag: not PCM
    QByteArray noFormat = good;
    noFormat.replace(12, 4, "junk");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("hello, this is not a sound at all");
    QTest::newRow("header only") << good.left(12);
    QTest::newRow("compressed") << compressed;
    QTest::newRow("data before format") << noFormat;
    QTest::newRow("huge chunk size") << QByteArray("RIFF\0\0\0\0WAVEabcd\xff\xff\xff\xff", 20);
}

void TestPlatform::waveImageRefusesWhatItCannotPlay() {
    QFETCH(QByteArray, image);
    WaveImage wave;
    QVERIFY(!WaveImage::parse(image, &wave));
}

void TestPlatform::defaultExtension_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bare name") << "/tmp/lines"
                               << "/tmp/lines.bmc";
    QTest::newRow("own extension") << "/tmp/lines.txt"
                                   << "/tmp/lines.txt";
    QTest::newRow("dot in folder only") << "/tmp/my.folder/lines"
                                        << "/tmp/my.folder/lines.bmc";
    QTest::newRow("cancelled") << ""
                               << "";
}

void TestPlatform::defaultExtension() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(withDefaultExtension(typed, "bmc"), expected);
}

void TestPlatform::hintHandlerGetsTheLongHint() {
    QCOMPARE(HintDisplay::longHint("|Exit Ballmere Pro"), QString("Exit Ballmere Pro"));
    QCOMPARE(HintDisplay::longHint("short|long"), QString("long"));
    QCOMPARE(HintDisplay::longHint("plain"), QString("plain"));

    HintDisplay hints;
    QStringList shown;
    hints.setHandler([&shown](const QString& text) { shown << text; });
    QPushButton button;
    button.setStatusTip("|Prints the above draws");
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &enter);
    QCoreApplication::sendEvent(&button, &leave);
    QCOMPARE(shown, (QStringList{"Prints the above draws", ""}));
}

// Every page framed: the header names the program, the game and the date, the footer counts
// the pages; the lines run in columns from page to page.
void TestPlatform::printsLinesOnPages() {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("list.pdf");
    TextPage page;
    page.title = "Draw list";
    page.game = "Lotto 6/49";
    page.date = "07/12/26";
    page.intro = QStringList{"Ballmere Professional", "Version 1.01", "", QString(60, '-')};
    for (int i = 1; i <= 300; ++i)
        page.lines << QString("6/49  >  01 - 02 - 03 - 04 - 05 - %1").arg(i, 3, 10, QChar('0'));
    QtPrintService printer(pdf);
    QCOMPARE(printer.printText(page), QString());

    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    const QStringList pages = printed.split('\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2 && pages.size() < 5, qPrintable(QString::number(pages.size())));
    for (int k = 0; k < pages.size(); ++k) {
        const QString words = pages[k].simplified();
        QVERIFY2(words.startsWith("Ballmere Pro Lotto 6/49 07/12/26"), qPrintable(words.left(60)));
        QVERIFY(words.endsWith(QString("Page %1 of %2").arg(k + 1).arg(pages.size())));
    }
    // pdftotext does not keep runs of blanks, so compare the words.
    const QString words = printed.simplified();
    QVERIFY(words.contains("Ballmere Professional Version 1.01"));
    QVERIFY(words.contains("6/49 > 01 - 02 - 03 - 04 - 05 - 300"));
    QVERIFY(words.indexOf("05 - 007") < words.indexOf("05 - 008"));
    QVERIFY2(pages[0].contains(QRegularExpression("05 - 005 +6/49")), "side by side in columns");
}

void TestPlatform::soundOutputSurvivesAnyImage() {
    QtSoundOutput sound;
    if (sound.deviceCount() == 0)
        QSKIP("no wave output device");
    sound.play(QByteArray("not a wave image"));
    sound.play(WaveImage::build(22050, QByteArray(4410, '\0')));
    sound.play(WaveImage::build(22050, QByteArray(4410, '\0'))); // cuts off the first
    sound.stop();
    sound.stop();
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
