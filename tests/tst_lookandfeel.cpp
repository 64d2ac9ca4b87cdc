// What a user sees: every caption whole in every window, whatever the range, pick or database
// name; hints that follow the control and leave with a closed window; settings kept in the
// user's data folder when the program's own folder cannot take them; every list of drawn lines
// in one face that holds its widest lines.
#include "about/About.h"
#include "advanced/Advanced.h"
#include "app/Main.h"
#include "app/Program.h"
#include "check/Check.h"
#include "controls/DrawListFont.h"
#include "controls/StatusHint.h"
#include "database/Database.h"
#include "database/Newdata.h"
#include "filters/Exclude.h"
#include "filters/Favorite.h"
#include "platform/ProgramFolders.h"
#include "stats/Stats.h"
#include "support/CaptionFit.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <cmath>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>

#include <functional>
#include <memory>

using namespace testfiles;

class TestLookAndFeel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::configureApplication(); }
    void captionsFit_data();
    void captionsFit();
    void mainWindowCaptionsFitEveryRange_data();
    void mainWindowCaptionsFitEveryRange();
    void fewFilterBoxesStandCentred();
    void plainButtonsAndUnselectedSpinValues();
    void messageIconsSharpAtDoubleScale_data();
    void messageIconsSharpAtDoubleScale();
    void longHintEndsInAnEllipsis();
    void hintFollowsGenerateAndStop();
    void closedWindowTakesItsHint();
    void dataFolder();
    void drawListsFitTheWidestLines_data();
    void drawListsFitTheWidestLines();
};

using WindowMaker = std::function<std::unique_ptr<QWidget>(TestContext&)>;
Q_DECLARE_METATYPE(WindowMaker)

void TestLookAndFeel::captionsFit_data() {
    QTest::addColumn<WindowMaker>("make");
    QTest::newRow("main") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm1>(t.context);
    });
    QTest::newRow("about") << WindowMaker(
        [](TestContext&) -> std::unique_ptr<QWidget> { return std::make_unique<TForm2>(); });
    QTest::newRow("favourites") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm3>(t.context, nullptr);
    });
    QTest::newRow("excluded") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm5>(t.context, nullptr);
    });
    QTest::newRow("database") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm7>(t.context);
    });
    QTest::newRow("new database") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm10>(t.context, nullptr);
    });
    QTest::newRow("statistics") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm8>(t.context);
    });
    QTest::newRow("advanced") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm9>(t.context, nullptr, nullptr);
    });
    QTest::newRow("checker") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm6>(t.context);
    });
}

void TestLookAndFeel::captionsFit() {
    QFETCH(WindowMaker, make);
    TestContext t;
    t.state.PickCount = 7;
    const std::unique_ptr<QWidget> window = make(t);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QStringList clipped = clippedCaptions(*window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void TestLookAndFeel::mainWindowCaptionsFitEveryRange_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<QString>("name"); // thirteen characters
    QTest::newRow("widest range, seven") << 7 << 10 << 99 << "Mega Millions";
    QTest::newRow("one number") << 1 << 1 << 9 << "1234567890123";
    QTest::newRow("ninety to ninety-nine") << 6 << 90 << 99 << "Lotto 6 aus49";
}

void TestLookAndFeel::mainWindowCaptionsFitEveryRange() {
    QFETCH(int, pick);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(QString, name);
    TestContext t;
    TForm1 window(t.context);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    child<QSpinBox>(window, "SpinEdit1")->setValue(high);
    child<QSpinBox>(window, "SpinEdit2")->setValue(low);
    child<QRadioButton>(window, qPrintable(QString("RadioButton%1").arg(pick)))->click();
    // A database name of 13 characters and the longest values of the details panel.
    t.state.DatabaseLoaded = true;
    t.state.DataName = name;
    t.state.DataPick = 7;
    t.state.DataRandom = 99;
    t.state.DataTotalDraws = 99999;
    t.state.DataLastDraw = QStringLiteral(" 28/08/88");
    window.repaint();
    const QStringList clipped = clippedCaptions(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
}

void TestLookAndFeel::fewFilterBoxesStandCentred() {
    TestContext t;
    t.state.PickCount = 7;
    t.state.RandomBound = 10; // 1..9 with seven picked: two numbers can be excluded
    TForm5 excluded(t.context, nullptr);
    auto* first = child<QLineEdit>(excluded, "Edit1");
    auto* second = child<QLineEdit>(excluded, "Edit2");
    QVERIFY(!child<QLineEdit>(excluded, "Edit3")->isVisibleTo(&excluded));
    const int rowCentre = (child<QPushButton>(excluded, "Button1")->geometry().left() +
                           child<QPushButton>(excluded, "Button3")->geometry().right()) /
                          2;
    const int boxesCentre = (first->geometry().left() + second->geometry().right()) / 2;
    QVERIFY2(qAbs(rowCentre - boxesCentre) <= 3,
             qPrintable(QString("boxes at %1, buttons at %2").arg(boxesCentre).arg(rowCentre)));
}

void TestLookAndFeel::plainButtonsAndUnselectedSpinValues() {
    QMessageBox box(QMessageBox::Warning, "Warning", "text", QMessageBox::Ok | QMessageBox::No);
    for (QAbstractButton* button : box.buttons())
        QVERIFY2(button->icon().isNull(), qPrintable(button->text()));

    TestContext t;
    TForm1 window(t.context);
    window.show();
    auto* high = child<QSpinBox>(window, "SpinEdit1");
    high->stepUp();
    QCOMPARE(high->findChild<QLineEdit*>()->selectedText(), QString());
}

void TestLookAndFeel::messageIconsSharpAtDoubleScale_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("warning") << int(QStyle::SP_MessageBoxWarning);
    QTest::newRow("error") << int(QStyle::SP_MessageBoxCritical);
    QTest::newRow("information") << int(QStyle::SP_MessageBoxInformation);
    QTest::newRow("question") << int(QStyle::SP_MessageBoxQuestion);
}

// A box's icon at 200 % has a device pixel for each of the screen's, not an enlarged bitmap.
void TestLookAndFeel::messageIconsSharpAtDoubleScale() {
    QFETCH(int, which);
    QMessageBox box;
    const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    const QPixmap icon = box.style()
                             ->standardIcon(QStyle::StandardPixmap(which), nullptr, &box)
                             .pixmap(QSize(side, side), 2.0);
    QCOMPARE(icon.size(), QSize(2 * side, 2 * side));
    QCOMPARE(icon.devicePixelRatio(), 2.0);
    QCOMPARE(qAlpha(icon.toImage().pixel(side, side)), 255); // drawn to its middle
}

// A long hint ends in an ellipsis; the whole of it shows when the player points at the bar.
void TestLookAndFeel::longHintEndsInAnEllipsis() {
    QStatusBar bar;
    bar.resize(200, 20);
    showStatusHint(&bar, QStringLiteral("Close the Database page"));
    QCOMPARE(bar.currentMessage(), QString("Close the Database page"));
    const QString hint = QStringLiteral("Left click and drag to zoom in. Right click and drag to "
                                        "scroll. Inverted left click/drag to restore");
    showStatusHint(&bar, hint);
    QVERIFY(bar.currentMessage().endsWith(QChar(0x2026)));
    QVERIFY(bar.fontMetrics().horizontalAdvance(bar.currentMessage()) < bar.width());
    QCOMPARE(bar.toolTip(), hint);
    showStatusHint(&bar, QStringLiteral("Close the Database page"));
    QCOMPARE(bar.toolTip(), QString());
}

void TestLookAndFeel::hintFollowsGenerateAndStop() {
    TestContext t;
    TForm1 window(t.context);
    window.show();
    auto* generate = child<QPushButton>(window, "Button1");
    auto* bar = child<QStatusBar>(window, "StatusBar1");
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(generate, &enter);
    QCOMPARE(bar->currentMessage(), QString("Generate some random numbers"));
    generate->click();
    QCOMPARE(bar->currentMessage(), QString("Press again to get some instant random numbers"));
    generate->click(); // St&op: the line is complete at once
    QCOMPARE(bar->currentMessage(), QString("Generate some random numbers"));
}

void TestLookAndFeel::closedWindowTakesItsHint() {
    TestContext t;
    TForm1 window(t.context);
    window.show();
    auto* bar = child<QStatusBar>(window, "StatusBar1");
    {
        TForm3 favourites(t.context, nullptr, &window);
        favourites.show();
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(favourites.findChild<QPushButton*>("Button1"), &enter);
        QVERIFY(!bar->currentMessage().isEmpty());
        favourites.hide();
    }
    QTRY_COMPARE(bar->currentMessage(), QString());
}

void TestLookAndFeel::dataFolder() {
    QCOMPARE(chooseDataFolder(true, "/home/u/.local/share/Ballmere Pro"), QString());
    QCOMPARE(chooseDataFolder(false, "/home/u/.local/share/Ballmere Pro"),
             QString("/home/u/.local/share/Ballmere Pro/"));
    QTemporaryDir folder;
    QVERIFY(isWritableFolder(folder.path()));
    QVERIFY(!isWritableFolder(folder.filePath("missing")));
    QVERIFY(entries(folder.path()).isEmpty()); // the probe leaves nothing behind

    // With a data folder, the settings are read from and written there; the program folder
    // keeps only what it holds already.
    TestContext t;
    QTemporaryDir user;
    t.platform.dataFolder = user.path() + u'/';
    QVERIFY(writeFile(user.filePath("Ballmere.ini"), "[Options]\r\nRandom=31\r\n"));
    {
        TForm1 window(t.context);
        QCOMPARE(t.state.RandomBound, 31);
    }
    QVERIFY(readFile(user.filePath("Ballmere.ini")).contains("Random=31\r\n"));
    QVERIFY(!QFile::exists(t.path("Ballmere.ini")));
}

// Every list of drawn lines shows them in the one face, in which a seven-from-99 line and the
// rule stand whole, without scrolling sideways or wrapping.
void TestLookAndFeel::drawListsFitTheWidestLines_data() {
    QTest::addColumn<WindowMaker>("make");
    QTest::addColumn<QString>("list");
    const WindowMaker checker = [](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm6>(t.context);
    };
    QTest::newRow("main") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm1>(t.context);
    }) << "Memo2";
    QTest::newRow("checker, loaded lines") << checker << "Memo2";
    QTest::newRow("checker, winning lines") << checker << "Memo1";
    QTest::newRow("advanced") << WindowMaker([](TestContext& t) -> std::unique_ptr<QWidget> {
        return std::make_unique<TForm9>(t.context, nullptr, nullptr);
    }) << "Memo2";
}

void TestLookAndFeel::drawListsFitTheWidestLines() {
    QFETCH(WindowMaker, make);
    QFETCH(QString, list);
    TestContext t;
    const std::unique_ptr<QWidget> window = make(t);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    auto* memo = child<QPlainTextEdit>(*window, qPrintable(list));
    QTRY_COMPARE(memo->font().family(), drawListFont().family());
    QVERIFY2(memo->font().pointSizeF() >= 8, qPrintable(QString::number(memo->font().pointSizeF())));
    // The largest face that fits: half a point more would not.
    QFont larger = memo->font();
    larger.setPointSizeF(larger.pointSizeF() + 0.5);
    const QFontMetricsF wider(larger);
    int widest = 0;
    for (const QString& line : widestDrawListLines())
        widest = qMax(widest, int(std::ceil(wider.horizontalAdvance(line))));
    QVERIFY(widest > memo->viewport()->width() - 2 * int(memo->document()->documentMargin()) - 2);
    memo->setPlainText(widestDrawListLines().join(u'\n'));
    QApplication::processEvents();
    QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
    QCOMPARE(memo->document()->firstBlock().layout()->lineCount(), 1);
    QCOMPARE(memo->document()->lastBlock().layout()->lineCount(), 1);
}

QTEST_MAIN(TestLookAndFeel)
#include "tst_lookandfeel.moc"
