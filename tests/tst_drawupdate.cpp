#include "app/StartupUpdate.h"
#include "database/Database.h"
#include "database/DrawUpdate.h"
#include "platform/QtNetworkService.h"

#include "support/DatabaseFixture.h"
#include "support/ResultsServer.h"
#include "support/SelfSignedCertificate.h"
#include "support/TestContext.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSslKey>
#include <QSslServer>
#include <QtTest>

using namespace testfiles;

namespace {

const QByteArray Heading = "Draw Date,Ball 1,Ball 2,Ball 3,Ball 4,Ball 5,Ball 6,Bonus\r\n";
const QByteArray OlderDraws = "08/11/2025,21,22,23,24,25,26,27\r\n"
                              "05/11/2025,3,11,12,14,41,43,13\r\n"
                              "01/11/2025,7,9,18,33,40,45,2\r\n"
                              "29/10/2025,1,5,10,20,30,49,44\r\n";
const QByteArray Results = Heading + OlderDraws;
// Two more draws and a broken line (line 3) at the top, newest first as published.
const QByteArray MoreResults = Heading +
                               "19/11/2025,14,17,28,31,42,48,5\r\n"
                               "15/11/2025,1,2,3,4,5,77,8\r\n"
                               "12/11/2025,4,8,15,16,23,42,1\r\n" +
                               OlderDraws;

// Every kind of answer the tests need, on one server.
struct Server : ResultsServer {
    Server() {
        serve("/results.csv", Results);
        serve("/more.csv", MoreResults);
        for (int hop = 0; hop < 7; ++hop) // /hop0 -> ... -> /hop6 -> /results.csv
            redirect("/hop" + QByteArray::number(hop),
                     hop == 6 ? "/results.csv" : "/hop" + QByteArray::number(hop + 1));
        redirect("/toftp", "ftp://127.0.0.1/results.csv");
        serve("/stall", Answer{Answer::Stall, {}, {}, {}});
        serve("/truncated", Answer{Answer::Truncated, "200 OK", Results, {}});
        serve("/endless", Answer{Answer::Endless, "200 OK", {}, {}});
        serve("/page.html", "<!DOCTYPE html>\n<html><body><h1>Results</h1>\n"
                            "<p>See the table below for 19 November 2025.</p></body></html>\n");
        serve("/empty", QByteArray());
    }
};

// A pick 6 with bonus database with its header file, a hand-typed draw and the network.
struct UpdateFixture : DatabaseFixture {
    QtNetworkService network;
    Server server;
    DrawUpdate update{&network, state, table};

    UpdateFixture() {
        writeFile(headerPath, LottoHeader);
        state.DatabaseLoaded = true;
        state.DataHeaderPath = headerPath;
        appendDraw({"03/11/25", {"6", "7", "8", "9", "10", "11"}, "12"}, state, table);
        update.limits.stallMs = 200;
    }
    DrawUpdateOutcome run(const QString& address) {
        DrawUpdateOutcome outcome;
        bool done = false;
        const QString error = update.start(address, {}, {}, [&](const DrawUpdateOutcome& o) {
            outcome = o;
            done = true;
        });
        if (!error.isEmpty()) {
            outcome.message = error;
            return outcome;
        }
        if (!QTest::qWaitFor([&] { return done; }, 10000))
            qFatal("no answer from %s", qPrintable(address));
        return outcome;
    }
    QStringList dates() const {
        QStringList cells;
        for (int row = 1; row <= state.DataTotalDraws; ++row)
            cells << table.CellText(0, row).trimmed();
        return cells;
    }
};

// Everything an update could have touched.
struct Snapshot {
    QStringList fields;
    QByteArray draws, header;
    QStringList cells;
    explicit Snapshot(const UpdateFixture& f)
        : fields(fieldsOf(f.state)), draws(readFile(f.drawPath)), header(readFile(f.headerPath)) {
        for (int row = 0; row < f.table.RowCount(); ++row)
            for (int column = 0; column < TDrawTable::ColCount; ++column)
                cells << f.table.CellText(column, row);
    }
    bool operator==(const Snapshot& o) const {
        return fields == o.fields && draws == o.draws && header == o.header && cells == o.cells;
    }
};

} // namespace

class TestDrawUpdate : public QObject {
    Q_OBJECT

private slots:
    void storesNewDrawsKeepsTypedOnes();
    void contradictingSourceKeepsStoredDraw();
    void failuresChangeNothing_data();
    void failuresChangeNothing();
    void secureConnectionFailures_data();
    void secureConnectionFailures();
    void addressCheckedBeforeFetching_data();
    void addressCheckedBeforeFetching();
    void oversizedBodyStopsAtTheLimit();
    void cancelStopsTheFetch();
    void updateButtonAsksThenFetches();
    void startupLook_data();
    void startupLook();
};

// Through three redirects, then a newer page with a broken line, then the same page again.
void TestDrawUpdate::storesNewDrawsKeepsTypedOnes() {
    UpdateFixture f;
    DrawUpdateOutcome first = f.run(f.server.url("/hop4"));
    QCOMPARE(first.message, QStringLiteral("Imported 4 draws (29/10/25 to 08/11/25)."));
    QCOMPARE(first.kind, DrawUpdateOutcome::Stored);
    QCOMPARE(f.dates(), QStringList({"29/10/25", "01/11/25", "03/11/25", "05/11/25", "08/11/25"}));

    const DrawUpdateOutcome more = f.run(f.server.url("/more.csv"));
    QCOMPARE(more.message, QStringLiteral("Imported 2 draws (12/11/25 to 19/11/25). 4 draws were "
                                          "already stored. 1 line with a number out of range was "
                                          "skipped (line 3)."));
    QCOMPARE(f.state.DataTotalDraws, 7);
    QCOMPARE(f.table.CellText(0, 3), QStringLiteral(" 03/11/25")); // typed, not at the address
    QCOMPARE(f.table.CellText(1, 3).trimmed(), QStringLiteral("06"));
    QCOMPARE(f.state.DataLastDraw, QStringLiteral(" 19/11/25"));

    const QByteArray onDisk = readFile(f.drawPath);
    const DrawUpdateOutcome again = f.run(f.server.url("/more.csv"));
    QCOMPARE(again.kind, DrawUpdateOutcome::NothingNew);
    QVERIFY2(again.message.startsWith("No new draws: the newest stored draw, 19/11/25, is also "
                                      "the newest at the address."),
             qPrintable(again.message));
    QCOMPARE(readFile(f.drawPath), onDisk);
}

void TestDrawUpdate::contradictingSourceKeepsStoredDraw() {
    UpdateFixture f;
    appendDraw({"08/11/25", {"1", "2", "3", "4", "5", "6"}, "7"}, f.state, f.table);
    const DrawUpdateOutcome outcome = f.run(f.server.url("/results.csv"));
    QCOMPARE(outcome.message,
             QStringLiteral("Imported 3 draws (29/10/25 to 05/11/25). The address gives 08/11/25 "
                            "as 21 22 23 24 25 26 + 27, the database holds 01 02 03 04 05 06 + "
                            "07; the stored draw was kept."));
    QCOMPARE(StartupUpdate::statusText(outcome),
             QStringLiteral("3 new draws stored; 1 draw at the address differs from the stored "
                            "one, which was kept"));
    QCOMPARE(f.dates().count("08/11/25"), 1);
    QCOMPARE(f.table.CellText(1, 5).trimmed(), QStringLiteral("01"));
    // A file chosen with Import is the user's own word: its draw of that day is added.
    const QString file = f.folder.filePath("results.csv");
    writeFile(file, Results);
    QCOMPARE(importDrawHistory(file, {}, f.state, f.table).added, 1);
}

void TestDrawUpdate::failuresChangeNothing_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("cause"); // %1: the address
    QTest::newRow("404") << QByteArray("/missing") << "The server answered 404 Not Found.";
    QTest::newRow("six redirects")
        << QByteArray("/hop0") << "The server sent more than 5 redirects.";
    QTest::newRow("redirect to ftp")
        << QByteArray("/toftp")
        << "The server redirected to ftp://127.0.0.1/results.csv, which is not an http or https "
           "address.";
    QTest::newRow("stall") << QByteArray("/stall") << "No data came for 0.2 s.";
    QTest::newRow("truncated") << QByteArray("/truncated")
                               << "The server closed the connection before the whole answer came.";
    QTest::newRow("html page") << QByteArray("/page.html")
                               << "The page at %1 holds no draws this game can store.";
    QTest::newRow("empty body") << QByteArray("/empty")
                                << "The page at %1 holds no draws this game can store.";
    QTest::newRow("connection refused")
        << QByteArray() << "The connection to 127.0.0.1 was refused.";
}

void TestDrawUpdate::failuresChangeNothing() {
    QFETCH(QByteArray, path);
    QFETCH(QString, cause);
    UpdateFixture f;
    QString address = f.server.url(path);
    if (path.isEmpty()) { // a port nobody listens on
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        address = QStringLiteral("http://127.0.0.1:%1/results.csv").arg(closed.serverPort());
    }
    const Snapshot before(f);
    const DrawUpdateOutcome outcome = f.run(address);
    QCOMPARE(outcome.kind, DrawUpdateOutcome::Failed);
    const QString expected =
        cause.contains("%1") ? cause.arg(address) : updateFailureText(address, cause);
    QCOMPARE(outcome.message, expected);
    QVERIFY(Snapshot(f) == before);
}

void TestDrawUpdate::secureConnectionFailures_data() {
    QTest::addColumn<bool>("speaksTls");
    QTest::addColumn<QString>("named"); // in the cause
    QTest::newRow("self-signed certificate") << true << "self-signed";
    QTest::newRow("no TLS at all") << false << "";
}

// An https server nobody vouches for, or one that speaks no TLS: the fetch fails saying so, the
// certificate is never waved through, and nothing is stored. Either server hands a whole
// results file to a client that gets that far.
void TestDrawUpdate::secureConnectionFailures() {
    QFETCH(bool, speaksTls);
    QFETCH(QString, named);
    if (!QSslSocket::supportsSsl())
        QSKIP("This Qt has no TLS backend.");
    UpdateFixture f;
    f.update.limits.stallMs = 10000; // a handshake under the sanitizers is slow
    QSslServer tls;
    QTcpServer plain;
    QTcpServer& server = speaksTls ? tls : plain;
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setLocalCertificate(QSslCertificate(selfsigned::Certificate));
    config.setPrivateKey(QSslKey(selfsigned::Key, QSsl::Ec));
    tls.setSslConfiguration(config);
    connect(&server, &QTcpServer::pendingConnectionAvailable, &server, [&] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: " +
                          QByteArray::number(Results.size()) +
                          "\r\nConnection: close\r\n\r\n" + Results);
    });
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const QString address =
        QStringLiteral("https://127.0.0.1:%1/results.csv").arg(server.serverPort());
    const Snapshot before(f);
    const DrawUpdateOutcome outcome = f.run(address);
    QCOMPARE(outcome.kind, DrawUpdateOutcome::Failed);
    QVERIFY2(outcome.message.startsWith(
                 updateFailureText(address, "The secure connection failed: ")) &&
                 outcome.message.contains(named),
             qPrintable(outcome.message));
    QVERIFY(Snapshot(f) == before);
}

void TestDrawUpdate::addressCheckedBeforeFetching_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("error");
    QTest::newRow("ftp") << "ftp://127.0.0.1/results.csv"
                         << "ftp://127.0.0.1/results.csv is not an http or https address.";
    QTest::newRow("a file name") << "results.csv"
                                 << "results.csv is not an http or https address.";
    QTest::newRow("no host") << "http://"
                             << "http:// is not an http or https address.";
    QTest::newRow("nothing") << "  "
                             << "Type the address of a results page, such as "
                                "https://example.org/results.csv.";
}

void TestDrawUpdate::addressCheckedBeforeFetching() {
    QFETCH(QString, address);
    QFETCH(QString, error);
    UpdateFixture f;
    QCOMPARE(f.run(address).message, error);
    QVERIFY(!f.update.running());
    QCOMPARE(f.server.connections, 0);
}

// The body is refused at the limit, holding no more than the limit, and the server soon stops.
void TestDrawUpdate::oversizedBodyStopsAtTheLimit() {
    Server server;
    QtNetworkService network;
    FetchResult result;
    bool done = false;
    const qint64 limit = 1024 * 1024;
    qint64 shown = 0; // the most bytes the progress reported
    auto job = network.fetch(QUrl(server.url("/endless")), {limit, 5000, 5},
                             {[&](qint64 received, qint64) { shown = qMax(shown, received); },
                              [&](const FetchResult& r) { result = r, done = true; }});
    QTRY_VERIFY_WITH_TIMEOUT(done, 10000);
    QCOMPARE(result.status, FetchResult::Failed);
    QCOMPARE(result.cause,
             QStringLiteral("The answer is larger than 1 MiB, more than a results file holds."));
    QVERIFY(result.peakHeld <= limit);
    QVERIFY(shown > 0);
    QVERIFY(result.body.isEmpty());
    QTest::qWait(100);
    QVERIFY2(server.endlessSent < 32 * 1024 * 1024,
             qPrintable(QString::number(server.endlessSent)));
    // The import's own limit is the one the program uses.
    TLotteryState state;
    TDrawTable table;
    QCOMPARE(DrawUpdate(&network, state, table).limits.maxBytes, MaxImportFileSize);
}

void TestDrawUpdate::cancelStopsTheFetch() {
    UpdateFixture f;
    f.update.limits.stallMs = 10000;
    const Snapshot before(f);
    DrawUpdateOutcome outcome;
    bool done = false;
    QVERIFY(f.update
                .start(f.server.url("/stall"), {}, {},
                       [&](const DrawUpdateOutcome& o) { outcome = o, done = true; })
                .isEmpty());
    QTRY_COMPARE(f.server.connections, 1);
    QElapsedTimer clock;
    clock.start();
    f.update.cancel();
    QTRY_VERIFY(done);
    QVERIFY(clock.elapsed() < 200);
    QCOMPARE(outcome.kind, DrawUpdateOutcome::Cancelled);
    QVERIFY(outcome.message.isEmpty());
    QVERIFY(Snapshot(f) == before);
}

void TestDrawUpdate::updateButtonAsksThenFetches() {
    TestContext test;
    QtNetworkService network;
    Server server;
    test.platform.network = &network;
    const QString headerPath = test.path("Lotto.bmd");
    QVERIFY(writeFile(headerPath, LottoHeader));
    TForm7 window(test.context);
    QVERIFY(window.OpenDatabase(headerPath).opened());
    auto* update = child<QPushButton>(window, "UpdateButton");
    QCOMPARE(update->text(), QStringLiteral("U&pdate"));
    QVERIFY(update->isEnabled());

    update->click();
    QDialog* dialog = nullptr;
    QTRY_VERIFY((dialog = window.findChild<QDialog*>("UpdateSource")) && dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Results Address"));
    QVERIFY(dialog->isModal());
    auto* tick = child<QCheckBox>(*dialog, "UpdateAtStartCheck");
    QCOMPARE(tick->text(), QStringLiteral("Look for new draws when the program starts"));
    QVERIFY(!tick->isChecked());
    QCOMPARE(child<QPushButton>(*dialog, "OkButton")->text(), QStringLiteral("&Ok"));
    QCOMPARE(child<QPushButton>(*dialog, "CancelButton")->text(), QStringLiteral("&Cancel"));
    auto* edit = child<QLineEdit>(*dialog, "AddressEdit");
    edit->setText("file:///etc/passwd");
    child<QPushButton>(*dialog, "OkButton")->click();
    QCOMPARE(test.dialogs.warnings,
             QStringList("file:///etc/passwd is not an http or https address."));
    QVERIFY(dialog->isVisible());
    QCOMPARE(server.connections, 0);

    edit->setText(server.url("/results.csv"));
    tick->setChecked(true);
    child<QPushButton>(*dialog, "OkButton")->click();
    QTRY_COMPARE(test.dialogs.informations,
                 QStringList("Imported 4 draws (29/10/25 to 08/11/25)."));
    QCOMPARE(child<QLabel>(window, "Label13")->text(), QStringLiteral("4"));
    const QByteArray header = readFile(headerPath);
    QVERIFY(header.startsWith(LottoHeader)); // [Database] keeps its bytes
    QCOMPARE(header.mid(LottoHeader.size()),
             "[Rules]\r\nUpdateAddress=" + server.url("/results.csv").toUtf8() +
                 "\r\nUpdateAtStart=1\r\n");

    // The address is kept: no window, straight to the fetch; Cancel stops it.
    saveUpdateSource(headerPath, {server.url("/stall"), true, {}});
    update->click();
    QProgressDialog* progress = nullptr;
    QTRY_VERIFY((progress = window.findChild<QProgressDialog*>()) && progress->isVisible());
    QVERIFY(!window.findChild<QDialog*>("UpdateSource"));
    QVERIFY(progress->labelText().contains(server.url("/stall")));
    QVERIFY(progress->labelText().contains("0 bytes received"));
    QTRY_COMPARE(server.requests, 2);
    auto* cancel = progress->findChild<QPushButton*>();
    QCOMPARE(cancel->text(), QStringLiteral("&Cancel"));
    cancel->click();
    QTRY_VERIFY(!window.findChild<QProgressDialog*>());
    QCOMPARE(test.dialogs.informations.size(), 1);
    QCOMPARE(test.dialogs.errors, QStringList());
    QCOMPARE(test.state.DataTotalDraws, 4);

    // With Shift, the address window again, holding the kept address.
    QTest::mouseClick(update, Qt::LeftButton, Qt::ShiftModifier);
    QTRY_VERIFY((dialog = window.findChild<QDialog*>("UpdateSource")) && dialog->isVisible());
    QCOMPARE(child<QLineEdit>(*dialog, "AddressEdit")->text(), server.url("/stall"));
    QVERIFY(child<QCheckBox>(*dialog, "UpdateAtStartCheck")->isChecked());
    child<QPushButton>(*dialog, "CancelButton")->click();
    QCOMPARE(server.requests, 2);
}

void TestDrawUpdate::startupLook_data() {
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("lastCheck");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("tickets"); // what the stored draws led to
    QTest::addColumn<QString>("status");  // "": no look
    const QString none, won = "Your tickets for 19/11/25: 1 line with 4 hits";
    QTest::newRow("not ticked") << false << "" << QByteArray("/results.csv") << none << "";
    QTest::newRow("looked today") << true << "2026-12-07" << QByteArray("/results.csv") << none
                                  << "";
    QTest::newRow("looked yesterday")
        << true << "2026-12-06" << QByteArray("/results.csv") << none << "4 new draws stored";
    // On the one status line, the tickets' news must not be hidden by the count.
    QTest::newRow("tickets checked")
        << true << "2026-12-06" << QByteArray("/results.csv") << won
        << "4 new draws stored. Your tickets for 19/11/25: 1 line with 4 hits";
    QTest::newRow("failure") << true << "" << QByteArray("/missing") << won
                             << "Could not look for new draws: The server answered 404 Not "
                                "Found (%1)";
}

void TestDrawUpdate::startupLook() {
    QFETCH(bool, ticked);
    QFETCH(QString, lastCheck);
    QFETCH(QByteArray, path);
    QFETCH(QString, tickets);
    QFETCH(QString, status);
    TestContext test;
    QtNetworkService network;
    Server server;
    test.platform.network = &network;
    const QString headerPath = test.path("Lotto.bmd");
    QVERIFY(writeFile(headerPath,
                      LottoHeader + "[Rules]\r\nLastStartCheck=" + lastCheck.toUtf8() + "\r\n"));
    QVERIFY(openDatabase(headerPath, test.state, test.table).opened());
    saveUpdateSource(headerPath, {server.url(path), ticked, {}});
    QStringList said;
    int stored = 0;
    StartupUpdate look(
        test.context,
        [&](const DrawImportResult&) {
            ++stored;
            return tickets;
        },
        [&](const QString& text) { said << text; });
    const QDate today(2026, 12, 7);
    QCOMPARE(look.start(today), !status.isEmpty());
    if (status.isEmpty()) {
        QTest::qWait(50);
        QCOMPARE(server.connections, 0); // no network use at all
        return;
    }
    QTRY_COMPARE(said, QStringList(status.contains("%1") ? status.arg(server.url(path)) : status));
    QCOMPARE(readUpdateSource(headerPath).lastStartCheck, QStringLiteral("2026-12-07"));
    QCOMPARE(look.start(today), false); // once a day
}

QTEST_MAIN(TestDrawUpdate)
#include "tst_drawupdate.moc"
