// The wave sound: which images the parser lets through to the sound device, and that the real
// sound output neither blocks nor crashes on a damaged image.
#include "platform/QtSoundOutput.h"
#include "platform/WaveImage.h"
#include "support/SoundServer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <optional>
#include <unistd.h>

namespace {

struct Format {
    quint16 tag = 1;
    quint16 channels = 1;
    quint32 rate = 22050;
    quint16 bits = 16;
    int blockAlign = -1; // -1: channels * bits / 8
};

void put(QByteArray& bytes, quint32 value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(char((value >> (8 * i)) & 0xff));
}

QByteArray chunk(const QByteArray& id, const QByteArray& body, qint64 claimed = -1) {
    QByteArray bytes = id;
    put(bytes, quint32(claimed < 0 ? body.size() : claimed), 4);
    bytes += body;
    if (body.size() % 2)
        bytes += '\0';
    return bytes;
}

QByteArray fmtBody(const Format& f) {
    const int align = f.blockAlign >= 0 ? f.blockAlign : f.channels * f.bits / 8;
    QByteArray body;
    put(body, f.tag, 2);
    put(body, f.channels, 2);
    put(body, f.rate, 4);
    put(body, f.rate * quint32(align), 4);
    put(body, quint32(align), 2);
    put(body, f.bits, 2);
    return body;
}

QByteArray riff(const QByteArray& chunks) {
    QByteArray bytes("RIFF");
    put(bytes, quint32(4 + chunks.size()), 4);
    return bytes + "WAVE" + chunks;
}

QByteArray wave(const Format& f, int dataBytes) {
    return riff(chunk("fmt ", fmtBody(f)) + chunk("data", QByteArray(dataBytes, '\x10')));
}

// The tick the build writes: 60 ms of 16-bit mono at 22,050 Hz.
QByteArray tick() {
    return WaveImage::build(22050, QByteArray(1323 * 2, '\x10'));
}

} // namespace

class TestSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void parserDecides_data();
    void parserDecides();
    void damagedImagesThroughTheDevice_data();
    void damagedImagesThroughTheDevice();
    void playReachesTheServer();

private:
    std::unique_ptr<SoundServer> server_;
};

void TestSound::initTestCase() {
    server_ = std::make_unique<SoundServer>();
}

void TestSound::parserDecides_data() {
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("sampleBytes"); // -1: refused
    const Format mono16;
    QTest::newRow("tick") << tick() << 2646;
    QTest::newRow("tick, last byte cut") << tick().chopped(1) << 2644;
    QTest::newRow("tick, header only") << tick().left(44) << -1;
    QTest::newRow("8 bit stereo") << wave({1, 2, 8000, 8}, 9) << 8;
    QTest::newRow("16 bit stereo, odd data") << wave({1, 2, 44100, 16}, 11) << 8;
    QTest::newRow("rate 4000") << wave({1, 1, 4000, 16}, 8) << 8;
    QTest::newRow("rate 192000") << wave({1, 1, 192000, 16}, 8) << 8;
    for (const quint32 rate : {0u, 1u, 2u, 10u, 3999u, 192001u, 0xffffffffu})
        QTest::addRow("rate %u", rate) << wave({1, 1, rate, 16}, 8) << -1;
    for (const quint16 bits : {0, 4, 12, 24, 32})
        QTest::addRow("%u bits", bits) << wave({1, 1, 22050, bits}, 12) << -1;
    for (const quint16 channels : {0, 3, 6, 0xffff})
        QTest::addRow("%u channels", channels) << wave({1, channels, 22050, 16}, 12) << -1;
    QTest::newRow("block align 0") << wave({1, 1, 22050, 16, 0}, 8) << -1;
    QTest::newRow("block align 3") << wave({1, 1, 22050, 16, 3}, 9) << -1;
    QTest::newRow("not PCM") << wave({3, 1, 22050, 16}, 8) << -1;
    QTest::newRow("data before format")
        << riff(chunk("data", QByteArray(8, '\0')) + chunk("fmt ", fmtBody(mono16))) << -1;
    QTest::newRow("no data chunk") << riff(chunk("fmt ", fmtBody(mono16))) << -1;
    QTest::newRow("format chunk cut") << riff(chunk("fmt ", fmtBody(mono16))).left(30) << -1;
    QTest::newRow("format chunk too small")
        << riff(chunk("fmt ", fmtBody(mono16).left(14)) + chunk("data", QByteArray(8, 0))) << -1;
    QTest::newRow("data claims more than it holds")
        << riff(chunk("fmt ", fmtBody(mono16)) + chunk("data", QByteArray(8, 0), 1000)).chopped(1)
        << 6;
    QTest::newRow("data claims 4 GiB")
        << riff(chunk("fmt ", fmtBody(mono16)) + chunk("data", QByteArray(6, 0), 0xffffffff)) << 6;
    QTest::newRow("odd chunk padded before data")
        << riff(chunk("fmt ", fmtBody(mono16)) + chunk("LIST", "abc") +
                chunk("data", QByteArray(4, 0)))
        << 4;
    QTest::newRow("chunk size past the end")
        << riff(chunk("fmt ", fmtBody(mono16)) + chunk("junk", "", 0xfffffff0)) << -1;
    QTest::newRow("less than one frame") << wave({1, 2, 22050, 16}, 3) << -1;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("text") << QByteArray("hello, this is not a sound at all") << -1;
}

void TestSound::parserDecides() {
    QFETCH(QByteArray, image);
    QFETCH(int, sampleBytes);
    WaveImage wave;
    QCOMPARE(WaveImage::parse(image, &wave), sampleBytes >= 0);
    if (sampleBytes >= 0)
        QCOMPARE(wave.samples.size(), sampleBytes);
}

void TestSound::damagedImagesThroughTheDevice_data() {
    QTest::addColumn<QByteArray>("image");
    QTest::newRow("tick") << tick();
    QTest::newRow("tick, last byte cut") << tick().chopped(1);
    QTest::newRow("rate 1 Hz") << wave({1, 1, 1, 16}, 2646);
    QTest::newRow("rate 10 Hz, 8 bit") << wave({1, 1, 10, 8}, 2646);
}

// As a reveal uses it: a play per counter stop, each cutting off the last, then a stop.
void TestSound::damagedImagesThroughTheDevice() {
    QFETCH(QByteArray, image);
    if (!server_->started())
        QSKIP("no sound server to play to");
    std::optional<QtSoundOutput> sound(std::in_place);
    QVERIFY(sound->deviceCount() > 0);
    alarm(20); // a blocked call ends the test program instead of hanging it
    QElapsedTimer clock;
    qint64 slowest = 0;
    for (int stop = 0; stop < 6; ++stop) {
        clock.start();
        sound->play(image);
        slowest = std::max(slowest, clock.nsecsElapsed());
        QTest::qWait(stop % 2 ? 240 : 20); // one after the tick ended, one cutting it off
    }
    clock.start();
    sound->stop();
    slowest = std::max(slowest, clock.nsecsElapsed());
    qInfo("slowest play or stop: %.3f ms", double(slowest) / 1e6);
    QVERIFY2(slowest < 20'000'000, "play() and stop() must not wait on the sound server");

    // The sound thread itself is not stuck either: it ends well before it would be given up.
    clock.start();
    sound.reset();
    QVERIFY(clock.elapsed() < 1500);
    alarm(0);
}

// The requests really get to the server: a long sound shows there as a playing stream.
void TestSound::playReachesTheServer() {
    if (!server_->started() || QStandardPaths::findExecutable("pactl").isEmpty())
        QSKIP("no sound server to ask");
    const auto streams = [] {
        QProcess pactl;
        pactl.start("pactl", {"list", "short", "sink-inputs"});
        pactl.waitForFinished(5000);
        return pactl.readAllStandardOutput().count('\n');
    };
    QtSoundOutput sound;
    QVERIFY(sound.deviceCount() > 0);
    sound.play(WaveImage::build(22050, QByteArray(22050 * 2 * 3, '\0')));
    QTRY_COMPARE_WITH_TIMEOUT(streams(), 1, 2500);
    sound.stop();
    QTRY_COMPARE_WITH_TIMEOUT(streams(), 0, 2500);
}

QTEST_MAIN(TestSound)
#include "tst_sound.moc"
