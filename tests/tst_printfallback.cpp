// Print on a machine without a printer: the message, the offer to save the page as a file, and
// every answer leaving the window as it was; the saved list holds real text, the chart saves
// as PDF, PNG or SVG by the name's extension.
#include "advanced/Advanced.h"
#include "app/Main.h"
#include "controls/Digits.h"
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

const QString SaveQuestion = QStringLiteral("Save the page as a file instead?");

// "main", "advanced" or "statistics", shown with something to print, on a machine with no
// printer; `print` names its Print button.
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
        } else {
            s.DatabaseLoaded = true;
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

} // namespace

class TestPrintFallback : public QObject {
    Q_OBJECT

private slots:
    void everyAnswerLeavesTheWindowAsItWas_data();
    void everyAnswerLeavesTheWindowAsItWas();
    void savedListHoldsItsText();
    void chartTypeFollowsTheExtension_data();
    void chartTypeFollowsTheExtension();
};

void TestPrintFallback::everyAnswerLeavesTheWindowAsItWas_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("answer");
    for (const char* window : {"main", "advanced", "statistics"}) {
        for (const char* answer : {"no", "cancelled", "saved", "cannot create"})
            QTest::addRow("%s, %s", window, answer) << window << answer;
    }
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
    const QStringList before = w.enabledControls();
    QVERIFY(before.contains(QString(w.print) + u'+'));

    w.clickPrint();
    QCOMPARE(w.enabledControls(), before);
    QVERIFY(w.window->isVisible());
    QCOMPARE(dialogs.errors.value(0), PrintService::noDefaultPrinterMessage());
    QCOMPARE(dialogs.questions, QStringList{SaveQuestion});
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
    QCOMPARE(dialogs.errors.mid(1), answer == "cannot create"
                                        ? QStringList{"Cannot create file " + name + ".pdf"}
                                        : QStringList());
}

// The lines as text in the document, page after page, as the printer would have had them.
void TestPrintFallback::savedListHoldsItsText() {
    TestContext t;
    t.printer.failWith = PrintService::noDefaultPrinterMessage();
    QStringList lines{"Ballmere Professional", "Version 1.01", "", QString(60, '-')};
    for (int i = 1; i <= 120; ++i)
        lines << QString("6/49  >  01 - 02 - 03 - 04 - 05 - %1").arg(i, 2, 10, QChar('0'));
    t.dialogs.questionAnswers << true;
    t.dialogs.fileAnswers << t.path("list");
    printLinesOrSave(nullptr, t.platform, lines, 14);
    QVERIFY(readFile(t.path("list.pdf")).startsWith("%PDF-"));
    if (!havePdfToText())
        QSKIP("pdftotext is not installed");
    const QString text = pdfText(t.path("list.pdf"));
    const QString words = text.simplified();
    QVERIFY(words.startsWith("Ballmere Professional Version 1.01"));
    QVERIFY(words.contains("6/49 > 01 - 02 - 03 - 04 - 05 - 99"));
    QVERIFY(words.indexOf("05 - 07") < words.indexOf("05 - 08"));
    QVERIFY2(text.count('\f') >= 2, "120 lines at 14 points take more than one page");
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
    QCOMPARE(w.t.dialogs.errors, QStringList{PrintService::noDefaultPrinterMessage()});
    const QByteArray file = readFile(w.t.path(savedAs));
    QVERIFY(file.startsWith(start));
    // The chart itself, with its title as text where the type holds text.
    if (start == "\x89PNG") {
        const QImage page = QImage::fromData(file);
        QVERIFY(page.width() > 1000 && page.height() > page.width());
        QVERIFY(page.pixel(page.width() / 2, page.height() / 2) != qRgb(255, 255, 255));
    } else if (start == "<?xml") {
        QVERIFY(file.contains("Ballmere Pro Hit Statistics"));
    } else if (havePdfToText()) {
        QVERIFY(pdfText(w.t.path(savedAs)).contains("Ballmere Pro Hit Statistics"));
    }
}

QTEST_MAIN(TestPrintFallback)
#include "tst_printfallback.moc"
