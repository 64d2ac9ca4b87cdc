// Exact tier odds against every draw of small games, the presets' published figures, which
// tier a line wins, and money as it is typed and shown.
#include "support/GameRulesFixture.h"

#include "games/Money.h"
#include "games/RulesCheck.h"
#include "games/TierOdds.h"

#include <QtTest>
#include <algorithm>
#include <functional>

using namespace testgames;

namespace {

// Every k-subset of 1..n, in turn.
void forEachSubset(int n, int k, const std::function<void(const QVector<int>&)>& visit) {
    QVector<int> chosen(k);
    std::function<void(int, int)> walk = [&](int from, int depth) {
        if (depth == k) {
            visit(chosen);
            return;
        }
        for (int x = from; x <= n; ++x) {
            chosen[depth] = x;
            walk(x + 1, depth + 1);
        }
    };
    walk(1, 0);
}

int hitsOf(const QVector<int>& drawn, int lineSize) {
    return int(
        std::count_if(drawn.begin(), drawn.end(), [lineSize](int x) { return x <= lineSize; }));
}

// Each tier's share of all draws, counted draw by draw for the line 1..pick (with extras 1..m).
QVector<double> bruteForce(int pick, int range, const GameRules& rules) {
    QVector<double> counts(rules.tiers.size());
    double draws = 0;
    const auto count = [&](int mainHits, int extraHits) {
        draws += 1;
        const int tier = winningTier(rules, mainHits, extraHits);
        if (tier >= 0)
            counts[tier] += 1;
    };
    forEachSubset(range, pick, [&](const QVector<int>& main) {
        const int hits = hitsOf(main, pick);
        if (rules.extra == ExtraKind::None) {
            count(hits, 0);
        } else if (rules.extra == ExtraKind::SameDrumBonus) {
            for (int bonus = 1; bonus <= range; ++bonus)
                if (!main.contains(bonus))
                    count(hits, bonus <= pick ? 1 : 0);
        } else {
            forEachSubset(rules.extraRange, rules.extraCount, [&](const QVector<int>& extra) {
                count(hits, hitsOf(extra, rules.extraCount));
            });
        }
    });
    for (double& c : counts)
        c /= draws;
    return counts;
}

} // namespace

class TestTierOdds : public QObject {
    Q_OBJECT

private slots:
    void matchesEveryDraw_data() {
        QTest::addColumn<int>("pick");
        QTest::addColumn<int>("range");
        QTest::addColumn<GameRules>("rules");
        QTest::newRow("no extra, 3 of 10")
            << 3 << 10
            << rulesOf(ExtraKind::None, 0, 0, {tier(3, 0, 0, true), tier(2, 0), tier(0, 0)});
        QTest::newRow("same-drum bonus, 4 of 11")
            << 4 << 11
            << rulesOf(ExtraKind::SameDrumBonus, 0, 0,
                       {tier(4, 0, 0, true), tier(3, 1), tier(3, 0), tier(2, 0), tier(1, 1)});
        QTest::newRow("one extra of 6, 3 of 9")
            << 3 << 9
            << rulesOf(ExtraKind::SecondDrum, 1, 6,
                       {tier(3, 1, 0, true), tier(3, 0), tier(2, 1), tier(1, 1), tier(0, 1)});
        QTest::newRow("two extras of 7, 3 of 8")
            << 3 << 8
            << rulesOf(ExtraKind::SecondDrum, 2, 7,
                       {tier(3, 2, 0, true), tier(3, 0), tier(2, 2), tier(2, 1), tier(1, 2),
                        tier(0, 2), tier(2, 0)});
    }
    void matchesEveryDraw() {
        QFETCH(int, pick);
        QFETCH(int, range);
        QFETCH(GameRules, rules);
        const QVector<double> expected = bruteForce(pick, range, rules);
        const TierChances chances = tierChances(pick, range, rules);
        QCOMPARE(chances.perTier.size(), expected.size());
        double any = 0;
        for (int i = 0; i < expected.size(); ++i) {
            QVERIFY2(qAbs(chances.perTier[i] - expected[i]) < 1e-12,
                     qPrintable(QString::number(i)));
            any += expected[i];
        }
        QVERIFY(qAbs(chances.anyPrize - any) < 1e-12);
    }

    void publishedOdds_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<int>("pick");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("tierIndex"); // -1: any prize
        QTest::addColumn<QString>("odds");
        QTest::newRow("Powerball jackpot") << Powerball << 5 << 69 << 0 << "1 in 292,201,338";
        QTest::newRow("Powerball any prize") << Powerball << 5 << 69 << -1 << "1 in 24.9";
        QTest::newRow("Powerball 0 + 1") << Powerball << 5 << 69 << 8 << "1 in 38.3";
        QTest::newRow("6/49 five and bonus") << Lotto649 << 6 << 49 << 1 << "1 in 2,330,636";
        QTest::newRow("6/49 jackpot") << Lotto649 << 6 << 49 << 0 << "1 in 13,983,816";
        QTest::newRow("Mega Millions jackpot")
            << "US Mega Millions 5/70 + 1/24" << 5 << 70 << 0 << "1 in 290,472,336";
        QTest::newRow("EuroMillions jackpot")
            << "EuroMillions 5/50 + 2/12" << 5 << 50 << 0 << "1 in 139,838,160";
        QTest::newRow("Eurojackpot jackpot")
            << "Eurojackpot 5/50 + 2/12" << 5 << 50 << 0 << "1 in 139,838,160";
    }
    void publishedOdds() {
        QFETCH(QString, preset);
        QFETCH(int, pick);
        QFETCH(int, range);
        QFETCH(int, tierIndex);
        QFETCH(QString, odds);
        const GameRules rules = presetRules(preset);
        QVERIFY(rulesError(rules, pick, rules.extra == ExtraKind::SameDrumBonus).isEmpty());
        const TierChances chances = tierChances(pick, range, rules);
        QCOMPARE(oneInText(tierIndex < 0 ? chances.anyPrize : chances.perTier[tierIndex]), odds);
    }

    void powerballExpectedReturn() {
        GameRules rules = presetRules(Powerball);
        // 93,466,048 dollars over 292,201,338 equally likely draws, before the jackpot.
        QVERIFY(qAbs(expectedReturnCents(5, 69, rules, true) - 9346604800.0 / 292201338) < 1e-9);
        rules.jackpotCents = 292'201'338'00LL;
        QVERIFY(qAbs(expectedReturnCents(5, 69, rules, false) - 9346604800.0 / 292201338) < 1e-9);
        QVERIFY(qAbs(expectedReturnCents(5, 69, rules, true) - 9346604800.0 / 292201338 - 100) <
                1e-6);
    }

    void bestTierOnly_data() {
        QTest::addColumn<QString>("preset");
        QTest::addColumn<int>("main");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("tierIndex");
        QTest::newRow("4 + 1 not 4 + 0") << Powerball << 4 << 1 << 2;
        QTest::newRow("4 + 0") << Powerball << 4 << 0 << 3;
        QTest::newRow("1 + 0 pays nothing") << Powerball << 1 << 0 << -1;
        QTest::newRow("0 + 1 pays") << Powerball << 0 << 1 << 8;
        QTest::newRow("3 with the bonus is still 3") << Lotto649 << 3 << 1 << 4;
        QTest::newRow("2 + bonus before 2") << Lotto649 << 2 << 1 << 5;
        QTest::newRow("2 alone") << Lotto649 << 2 << 0 << 6;
    }
    void bestTierOnly() {
        QFETCH(QString, preset);
        QFETCH(int, main);
        QFETCH(int, extra);
        QFETCH(int, tierIndex);
        QCOMPARE(winningTier(presetRules(preset), main, extra), tierIndex);
    }

    void oddsText_data() {
        QTest::addColumn<double>("chance");
        QTest::addColumn<QString>("text");
        QTest::newRow("under 10") << 1 / 9.4321 << "1 in 9.43";
        QTest::newRow("rounds up to 10") << 1 / 9.999 << "1 in 10.0";
        QTest::newRow("under 100") << 1 / 24.87 << "1 in 24.9";
        QTest::newRow("whole") << 1 / 1234.4 << "1 in 1,234";
        QTest::newRow("never") << 0.0 << "never";
    }
    void oddsText() {
        QFETCH(double, chance);
        QFETCH(QString, text);
        QCOMPARE(oneInText(chance), text);
    }

    void moneyShown_data() {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("money");
        QTest::addColumn<QString>("prize");
        QTest::newRow("million") << qint64(100'000'000) << "1,000,000.00"
                                 << "1,000,000";
        QTest::newRow("hundreds") << qint64(10'700) << "107.00"
                                  << "107";
        QTest::newRow("cents") << qint64(250) << "2.50"
                               << "2.50";
        QTest::newRow("under one") << qint64(5) << "0.05"
                                   << "0.05";
        QTest::newRow("zero") << qint64(0) << "0.00"
                              << "0";
        QTest::newRow("negative") << qint64(-123'456) << "-1,234.56"
                                  << "-1,234.56";
    }
    void moneyShown() {
        QFETCH(qint64, cents);
        QFETCH(QString, money);
        QFETCH(QString, prize);
        QCOMPARE(moneyText(cents), money);
        QCOMPARE(prizeText(cents), prize);
    }

    void moneyTyped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents"); // -1: refused
        QTest::newRow("whole") << "2" << qint64(200);
        QTest::newRow("one decimal") << "2.5" << qint64(250);
        QTest::newRow("grouped") << "1,000,000" << qint64(100'000'000);
        QTest::newRow("blanks around") << "  3.20 " << qint64(320);
        QTest::newRow("cents alone") << ".5" << qint64(50);
        QTest::newRow("largest") << "999,999,999,999.99" << MaxMoneyCents;
        QTest::newRow("too large") << "1000000000000" << qint64(-1);
        QTest::newRow("negative") << "-2" << qint64(-1);
        QTest::newRow("three decimals") << "2.505" << qint64(-1);
        QTest::newRow("bad grouping") << "1,00" << qint64(-1);
        QTest::newRow("currency sign") << "$2" << qint64(-1);
        QTest::newRow("empty") << "  " << qint64(-1);
        QTest::newRow("point alone") << "." << qint64(-1);
        QTest::newRow("words") << "two" << qint64(-1);
    }
    void moneyTyped() {
        QFETCH(QString, text);
        QFETCH(qint64, cents);
        qint64 read = -7;
        QCOMPARE(parseMoney(text, &read), cents >= 0);
        QCOMPARE(read, cents >= 0 ? cents : qint64(-7));
    }
};

QTEST_GUILESS_MAIN(TestTierOdds)
#include "tst_tierodds.moc"
