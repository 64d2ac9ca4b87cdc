// A game's rules in its header file and in the rules window: the [Database] section keeps its
// bytes, the update keys survive a save, and a bad [Rules] section is refused without loss.
#include "support/DatabaseFixture.h"
#include "support/GameRulesFixture.h"
#include "support/TestContext.h"
#include "support/TestFiles.h"

#include "database/DatabaseOps.h"
#include "database/RulesWindow.h"
#include "games/GameRulesDialog.h"
#include "games/RulesSection.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace testfiles;
using namespace testgames;

namespace {

const QByteArray PowerballHeader =
    headerText("Name=Power\r\nPick=5\r\nRandom=69\r\nBonus=0\r\nDescription=Five and one\r\n");
const QByteArray UpdateKeys = "[Rules]\r\nUpdateAddress=https://example.org/draws.csv\r\n"
                              "UpdateAtStart=1\r\nLastStartCheck=2026-12-01\r\n";

QString oddsText(const QDialog& dialog) {
    return child<QPlainTextEdit>(dialog, "TierOddsText")->toPlainText();
}

} // namespace

class TestGameRules : public QObject {
    Q_OBJECT

private slots:
    void saveKeepsDatabaseSectionAndUpdateKeys() {
        QTemporaryDir folder;
        const QString path = folder.filePath("Power.bmd");
        QVERIFY(writeFile(path, PowerballHeader + UpdateKeys));
        GameRules rules = presetRules(Powerball);
        rules.jackpotCents = 12'500'000'000LL;
        QCOMPARE(writeGameRules(path, rules), QString());
        const QByteArray bytes = readFile(path);
        QVERIFY(bytes.startsWith(PowerballHeader + UpdateKeys.left(UpdateKeys.size() - 2)));
        QVERIFY(
            bytes.contains("UpdateAtStart=1\r\nLastStartCheck=2026-12-01\r\nExtra=SecondDrum\r\n"
                           "ExtraCount=1\r\nExtraRange=26\r\nPrice=2.00\r\n"
                           "Jackpot=125000000.00\r\nTiers=5+1 Jackpot; 5+0 1000000.00; "));

        const RulesReadResult read = readGameRules(path, 5, false);
        QCOMPARE(read.problem, QString());
        QVERIFY(read.rules.present);
        QCOMPARE(read.rules.tiers, rules.tiers);
        QCOMPARE(read.rules.jackpotCents, rules.jackpotCents);
        QCOMPARE(read.rules.updateAddress, QStringLiteral("https://example.org/draws.csv"));
        QVERIFY(read.rules.updateAtStart);
        QCOMPARE(read.rules.lastStartCheck, QStringLiteral("2026-12-01"));
    }

    void headerWithoutRulesIsAGameAsBefore() {
        QTemporaryDir folder;
        const QString path = folder.filePath("Power.bmd");
        QVERIFY(writeFile(path, PowerballHeader));
        const RulesReadResult plain = readGameRules(path, 5, false);
        QVERIFY(!plain.rules.present);
        QCOMPARE(plain.problem, QString());
        QVERIFY(writeFile(path, PowerballHeader + UpdateKeys));
        const RulesReadResult updateOnly = readGameRules(path, 5, false);
        QVERIFY(!updateOnly.rules.present);
        QCOMPARE(updateOnly.problem, QString());
        QVERIFY(updateOnly.rules.updateAtStart);
    }

    void badRulesRefusedWithoutLoss_data() {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QString>("problem");
        QTest::newRow("unknown extra word") << QByteArray("Extra=Moon\r\nTiers=5+1 Jackpot\r\n")
                                            << "\"Moon\" is not a kind of extra numbers";
        QTest::newRow("second drum too large")
            << QByteArray("Extra=SecondDrum\r\nExtraCount=1\r\nExtraRange=100\r\n")
            << "the second drum's highest number must be 1..99";
        QTest::newRow("three extras")
            << QByteArray("Extra=SecondDrum\r\nExtraCount=3\r\nExtraRange=12\r\n")
            << "a second drum gives 1 or 2 numbers";
        QTest::newRow("tier beyond the pick")
            << QByteArray(
                   "Extra=SecondDrum\r\nExtraCount=1\r\nExtraRange=26\r\nTiers=6+1 Jackpot\r\n")
            << "tier 6 + 1 asks for 6 main numbers of 5";
        QTest::newRow("tier word") << QByteArray("Extra=None\r\nTiers=5 Jackpot\r\n")
                                   << "the prize tier \"5 Jackpot\" is not understood";
        QTest::newRow("negative price")
            << QByteArray("Extra=None\r\nPrice=-2\r\n") << "Price \"-2\" is not an amount";
        QTest::newRow("bonus the header does not draw")
            << QByteArray("Extra=Bonus\r\n") << "the game draws no bonus number";
        QTest::newRow("extra kind missing")
            << QByteArray("Tiers=5+0 Jackpot\r\n") << "the kind of extra numbers is not given";
    }
    void badRulesRefusedWithoutLoss() {
        QFETCH(QByteArray, section);
        QFETCH(QString, problem);
        TestContext t;
        const QString path = t.path("Power.bmd");
        const QByteArray bytes = PowerballHeader + UpdateKeys + section;
        QVERIFY(writeFile(path, bytes));
        const DatabaseOpenResult result = openDatabase(path, t.state, t.table);
        QVERIFY(result.opened());
        QCOMPARE(result.rulesWarning, unusableRulesText(problem));
        QVERIFY(t.state.DatabaseLoaded);
        QVERIFY(!t.state.DataRules.present);
        QVERIFY(t.state.DataRules.updateAtStart); // the update keys stand on their own
        QCOMPARE(readFile(path), bytes);
    }

    void windowShowsPresetOdds() {
        FakeDialogs dialogs;
        GameRulesDialog dialog({5, 69, false}, GameRules{}, dialogs,
                               [](const GameRules&) { return QString(); });
        QCOMPARE(dialog.objectName(), QStringLiteral("GameRules"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Game Rules"));
        auto* presets = child<QComboBox>(dialog, "PresetCombo");
        QCOMPARE(presets->count(), 2);
        QCOMPARE(presets->itemText(0), QStringLiteral("Custom"));
        presets->setCurrentIndex(presets->findText(Powerball));
        QCOMPARE(child<QComboBox>(dialog, "ExtraCombo")->currentIndex(), 2);
        QCOMPARE(child<QTableWidget>(dialog, "PrizeTable")->rowCount(), 9);
        const QStringList lines = oddsText(dialog).split(u'\n');
        QCOMPARE(lines.first(), QStringLiteral("5 + 1: 1 in 292,201,338"));
        QCOMPARE(lines.value(8), QStringLiteral("0 + 1: 1 in 38.3"));
        QCOMPARE(lines.value(9), QStringLiteral("Any prize: 1 in 24.9"));
        QCOMPARE(lines.value(10), QStringLiteral("Expected return: 0.32 for 2.00 spent (not "
                                                 "counting the jackpot)"));
        child<QLineEdit>(dialog, "JackpotEdit")->setText(QStringLiteral("292,201,338"));
        QVERIFY(oddsText(dialog).endsWith(
            QStringLiteral("Expected return: 1.32 for 2.00 spent including a jackpot of "
                           "292,201,338")));
    }

    void windowForBonusGame() {
        FakeDialogs dialogs;
        GameRulesDialog dialog({6, 49, true}, GameRules{}, dialogs,
                               [](const GameRules&) { return QString(); });
        auto* extra = child<QComboBox>(dialog, "ExtraCombo");
        QCOMPARE(extra->currentText(), QStringLiteral("Bonus from the same drum"));
        QVERIFY(!extra->isEnabled());
        auto* presets = child<QComboBox>(dialog, "PresetCombo");
        QCOMPARE(presets->count(), 2);
        presets->setCurrentIndex(1);
        QCOMPARE(presets->currentText(), Lotto649);
        QVERIFY(oddsText(dialog).startsWith(
            QStringLiteral("6: 1 in 13,983,816\n5 + bonus: 1 in 2,330,636\n")));
        auto* table = child<QTableWidget>(dialog, "PrizeTable");
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("bonus"));
        table->item(1, 1)->setText(QStringLiteral("2"));
        QVERIFY(oddsText(dialog).contains(
            QStringLiteral("Row 2: write \"bonus\" or 0 for the extra number")));
    }

    void saveStoresRulesOnlyWhenTheyAreGood() {
        TestContext t;
        const QString path = t.path("Power.bmd");
        QVERIFY(writeFile(path, PowerballHeader));
        QVERIFY(openDatabase(path, t.state, t.table).opened());

        const auto driveWindow = [&t](const QString& price) {
            QTimer::singleShot(0, [&t, price] {
                auto* dialog = qobject_cast<GameRulesDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                auto* presets = child<QComboBox>(*dialog, "PresetCombo");
                presets->setCurrentIndex(presets->findText(Powerball));
                child<QLineEdit>(*dialog, "PriceEdit")->setText(price);
                child<QPushButton>(*dialog, "SaveButton")->click();
                if (dialog->isVisible())
                    child<QPushButton>(*dialog, "CancelButton")->click();
            });
            QWidget parent;
            editGameRules(t.context, &parent);
        };

        driveWindow(QStringLiteral("2 dollars"));
        QCOMPARE(t.dialogs.warnings,
                 QStringList{QStringLiteral("The price \"2 dollars\" is not an amount")});
        QCOMPARE(readFile(path), PowerballHeader);
        QVERIFY(!t.state.DataRules.present);

        driveWindow(QStringLiteral("2.00"));
        QCOMPARE(t.dialogs.warnings.size(), 1);
        QVERIFY(t.state.DataRules.present);
        QCOMPARE(t.state.DataRules.tiers, presetRules(Powerball).tiers);
        QVERIFY(readFile(path).startsWith(PowerballHeader + "[Rules]\r\nExtra=SecondDrum\r\n"));
    }
};

QTEST_MAIN(TestGameRules)
#include "tst_gamerules.moc"
