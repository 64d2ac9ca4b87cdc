// Print on a machine without a printer: one question, the message and the offer to save the
// page as a file, and every answer leaving the window as it was; the saved list holds real text
// in columns on framed pages; the chart saves as a landscape PDF page, or alone as PNG or SVG by
// the name's extension.
#include "advanced/Advanced.h"
#include "app/Main.h"
#include "charting/BarChart.h"
#include "check/Check.h"
#include "controls/Digits.h"
#include "lines/CheckFile.h"
#include "lines/ListPage.h"
#include "platform/PrintOrSave.h"
#include "stats/Stats.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

using namespace testfiles;

namespace {

// "main", "advanced", "checker" or "statistics", shown with something to print, on a machine
// with no printer; `print` names its Print button.
struct ReadyToPrint {
    TestContext t;
    std::unique_ptr<QWidget> window;
    const char* print = "";

    explicit ReadyToPrint(const QString& which) {
        t.printer.failWith = PrintService::noDefaultPrinterMessage();
        TLotteryState& s = t.state;
        if (which == "main") {
            auto main = std::make_unique<TForm1>(t.context);
            for (int n = 1; n <= 7; ++n)
                main->digits(n)->setIncDecSpeed(1);
            main->Button1Click();
            for (int frames = 0; s.Generating && frames < 100000; ++frames) {
                for (int n = 1; n <= 7; ++n)
                    if (main->digits(n)->isRolling())
                        main->digits(n)->timerTick();
            }
            window = std::move(main);
            print = "Button9";
        } else if (which == "advanced") {
            s.PickCount = 6;
            s.LowNumber = 1;
            s.RandomBound = 50;
            t.clock.advancePerRead = 1;
            auto advanced = std::make_unique<TForm9>(t.context, nullptr, nullptr);
            child<QLineEdit>(*advanced, "Edit10")->setText(QStringLiteral("3"));
            advanced->Button2Click();
            window = std::move(advanced);
            print = "Button5";
        } else if (which == "checker") {
            const QStringList saved{"6/49  >  07 - 14 - 19 - 23 - 35 - 48",
                                    "6/49  >  01 - 02 - 03 - 04 - 05 - 06"};
            QVERIFY(writeFile(t.path("lines.bmc"),
                              CheckFile::encode(CheckFile::headerLines() + saved)));
            auto checker = std::make_unique<TForm6>(t.context);
            t.dialogs.fileAnswers << t.path("lines.bmc");
            checker->Button1Click();
            for (int k = 1; k <= 6; ++k)
                child<QLineEdit>(*checker, qPrintable(QString("Edit%1").arg(k)))
                    ->setText(QString::number(k * 7));
            checker->Button2Click();
            t.dialogs.fileDialogs.clear();
            window = std::move(checker);
            print = "PrintButton";
        } else {
            s.DatabaseLoaded = true;
            s.DataName = QStringLiteral("Lotto 6/49");
            s.DataPick = 6;
            s.DataRandom = 49;
            t.table.SetHeader(6, false);
            t.table.SetCellText(0, 1, QStringLiteral(" 19/11/25"));
            for (int k = 1; k <= 6; ++k)
                t.table.SetCellNumber(k, 1, 7 * k);
            s.DataTotalDraws = 1;
            s.DataLastDraw = QStringLiteral(" 19/11/25");
            window = std::make_unique<TForm8>(t.context);
            print = "Button1";
        }
        window->show();
    }
    void clickPrint() { QTest::mouseClick(child<QPushButton>(*window, print), Qt::LeftButton); }
    // "Name+" or "Name-" for each named control: which are enabled.
    QStringList enabledControls() const {
        QStringList states{window->isEnabled() ? "window+" : "window-"};
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->objectName().isEmpty() && !control->objectName().startsWith("qt_"))
                states << control->objectName() + (control->isEnabled() ? u'+' : u'-');
        }
        return states;
    }
};

QString pdfText(const QString& path) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    return text.waitForFinished(30000) ? QString::fromUtf8(text.readAllStandardOutput())
                                       : QString();
}

bool havePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// pdfinfo's "Key: value" lines as a map.
QMap<QString, QString> pdfInfo(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    QMap<QString, QString> fields;
    if (!info.waitForFinished(30000))
        return fields;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            fields[line.left(colon)] = line.mid(colon + 1).trimmed();
    }
    return fields;
}

} // namespace

class TestPrintFallback : public QObject {
    Q_OBJECT

private slots:
    void everyAnswerLeavesTheWindowAsItWas_data();
    void everyAnswerLeavesTheWindowAsItWas();
    void savedListHoldsItsText();
    void checkerPrintsWhatWasChecked();
    void chartTypeFollowsTheExtension_data();
    void chartTypeFollowsTheExtension();
};

void TestPrintFallback::everyAnswerLeavesTheWindowAsItWas_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("answer");
    for (const char* window : {"main", "advanced", "checker", "statistics"}) {
        for (const char* answer : {"no", "cancelled", "saved", "cannot create"})
            QTest::addRow("%s, %s", window, answer) << window << answer;
    }
    // A printer that refuses the job: its message alone, nothing offered.
    QTest::addRow("main, printing refused") << "main"
                                            << "refused";
}

void TestPrintFallback::everyAnswerLeavesTheWindowAsItWas() {
    QFETCH(QString, window);
    QFETCH(QString, answer);
    ReadyToPrint w(window);
    FakeDialogs& dialogs = w.t.dialogs;
    const QString name =
        answer == "cannot create" ? w.t.path("no/such/folder/page") : w.t.path("page");
    dialogs.questionAnswers << (answer != "no");
    if (answer != "cancelled")
        dialogs.fileAnswers << name;
    if (answer == "refused")
        w.t.printer.failWith = QStringLiteral("Printing could not be started");
    const QStringList before = w.enabledControls();
    QVERIFY(before.contains(QString(w.print) + u'+'));

    w.clickPrint();
    QCOMPARE(w.enabledControls(), before);
    QVERIFY(w.window->isVisible());
    if (answer == "refused") {
        QCOMPARE(dialogs.errors, QStringList{w.t.printer.failWith});
        QVERIFY(dialogs.questions.isEmpty() && dialogs.fileDialogs.isEmpty());
        return;
    }
    // One box: the message's words first, the offer after them.
    QCOMPARE(dialogs.questions, QStringList{saveInsteadQuestion()});
    QVERIFY(saveInsteadQuestion().startsWith(PrintService::noDefaultPrinterMessage()));
    QVERIFY(saveInsteadQuestion().endsWith(" Save the page as a PDF file instead?") ||
            saveInsteadQuestion().endsWith("\nSave the page as a PDF file instead?"));
    QCOMPARE(dialogs.fileDialogs.size(), answer == "no" ? 0 : 1);
    if (answer != "no") {
        const FileDialogOptions options = dialogs.fileDialogs.first();
        QCOMPARE(options.title, QStringLiteral("Save Page As"));
        QCOMPARE(options.defaultExtension, QStringLiteral("pdf"));
        QCOMPARE(options.filter, window == "statistics"
                                     ? "PDF document (*.pdf);;PNG image (*.png);;SVG image (*.svg)"
                                     : "PDF document (*.pdf)");
    }
    QCOMPARE(readFile(name + ".pdf").startsWith("%PDF-"), answer == "saved");
    QCOMPARE(dialogs.errors, answer == "cannot create"
                                 ? QStringList{"Cannot create file " + name + ".pdf"}
                                 : QStringList());
}

// The lines as text in the document, in columns: 100 lines on one page, with the header and
// the footer, as the printer would have had them.
void TestPrintFallback::savedListHoldsItsText() {
    TestContext t;
    t.printer.failWith = PrintService::noDefaultPrinterMessage();
    t.state.DatabaseLoaded = true;
    t.state.DataName = QStringLiteral("Lotto 6/49");
    QStringList list = CheckFile::headerLines();
    for (int i = 1; i <= 100; ++i)
        list << QString("6/49  >  01 - 02 - 03 - 04 - %1 - %2")
                    .arg(i % 45 + 5, 2, 10, QChar('0'))
                    .arg(i % 3 + 47);
    t.dialogs.questionAnswers << true;
    t.dialogs.fileAnswers << t.path("list");
    printTextOrSave(nullptr, t.platform, ListPage::page(t.state, list, "Draw list"));
    QVERIFY(readFile(t.path("list.pdf")).startsWith("%PDF-"));
    if (!havePdfToText())
        QSKIP("pdftotext is not installed");
    const QString text = pdfText(t.path("list.pdf"));
    const QString words = text.simplified();
    QVERIFY2(
        words.startsWith("Ballmere Pro Lotto 6/49 07/12/26 Ballmere Professional Version 1.01"),
        qPrintable(words.left(80)));
    for (const QString& line : list.mid(4))
        QVERIFY2(words.contains(line.simplified()), qPrintable(line));
    QVERIFY(words.endsWith("Page 1 of 1"));
    QCOMPARE(text.count('\f'), 1);
    QCOMPARE(pdfInfo(t.path("list.pdf")).value("Title"), QStringLiteral("Draw list"));
}

// The numbers the results were found with, even when the boxes changed since; the summary under
// them, the lines found in the columns.
void TestPrintFallback::checkerPrintsWhatWasChecked() {
    ReadyToPrint w(QStringLiteral("checker"));
    w.t.printer.failWith.clear();
    child<QLineEdit>(*w.window, "Edit1")->setText("49");
    w.clickPrint();
    const TextPage& page = w.t.printer.text;
    QCOMPARE(page.title, QStringLiteral("Winning lines"));
    QCOMPARE(page.intro,
             (QStringList{"Winning numbers: 07 14 21 28 35 42",
                          "Lines with at least 3 correct numbers", "1 Winning line found", ""}));
    QCOMPARE(page.lines.size(), 1);
    QVERIFY2(page.lines.first().startsWith("07  14  35"), qPrintable(page.lines.first()));
}

void TestPrintFallback::chartTypeFollowsTheExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("savedAs");
    QTest::addColumn<QByteArray>("start");
    QTest::newRow("pdf") << "chart.pdf"
                         << "chart.pdf" << QByteArray("%PDF-");
    QTest::newRow("no extension: pdf") << "chart"
                                       << "chart.pdf" << QByteArray("%PDF-");
    QTest::newRow("png") << "chart.png"
                         << "chart.png" << QByteArray("\x89PNG");
    QTest::newRow("PNG") << "chart.PNG"
                         << "chart.PNG" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "chart.svg"
                         << "chart.svg" << QByteArray("<?xml");
}

void TestPrintFallback::chartTypeFollowsTheExtension() {
    QFETCH(QString, name);
    QFETCH(QString, savedAs);
    QFETCH(QByteArray, start);
    ReadyToPrint w(QStringLiteral("statistics"));
    w.t.dialogs.questionAnswers << true;
    w.t.dialogs.fileAnswers << w.t.path(name);
    w.clickPrint();
    QVERIFY(w.t.dialogs.errors.isEmpty());
    const QByteArray file = readFile(w.t.path(savedAs));
    QVERIFY(file.startsWith(start));
    const BarChart* chart = static_cast<TForm8*>(w.window.get())->chart();
    if (start == "\x89PNG") {
        // The chart alone at its on-screen shape, at twice the screen's pixels.
        const QImage picture = QImage::fromData(file);
        QCOMPARE(picture.size(), chart->size() * 2);
        QVERIFY(picture.pixel(picture.width() / 2, picture.height() / 2) != qRgb(255, 255, 255));
    } else if (start == "<?xml") {
        QVERIFY(file.contains("Ballmere Pro Hit Statistics"));
        QVERIFY(file.contains(
            QString("viewBox=\"0 0 %1 %2\"").arg(chart->width()).arg(chart->height()).toUtf8()));
    } else if (havePdfToText()) {
        // A landscape page titled by the game, not by an object's name.
        const QString words = pdfText(w.t.path(savedAs)).simplified();
        QVERIFY2(
            words.startsWith("Ballmere Pro Lotto 6/49 07/12/26 Number frequencies: Lotto 6/49"),
            qPrintable(words.left(80)));
        QVERIFY(words.endsWith("Page 1 of 1"));
        const auto info = pdfInfo(w.t.path(savedAs));
        QCOMPARE(info.value("Title"), QStringLiteral("Number frequencies: Lotto 6/49"));
        QCOMPARE(info.value("Pages"), QStringLiteral("1"));
        const QStringList size = info.value("Page size").split(' ');
        QVERIFY2(size.value(0).toDouble() > size.value(2).toDouble(),
                 qPrintable(info.value("Page size")));
    }
}

QTEST_MAIN(TestPrintFallback)
#include "tst_printfallback.moc"
