#include "wheels/WheelPrizes.h"

#include "games/Money.h"
#include "games/TierOdds.h"
#include "state/LotteryState.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("WheelPrizes", text);
}

// The fewest main hits that win a prize with `extraHits`, and whether every count above wins
// too (so "a prize" is "at least t main hits"); pick + 1 when none wins.
struct Threshold {
    int mainHits = 0;
    bool upward = true;
};

Threshold thresholdOf(const GameRules& rules, int pick, int extraHits) {
    Threshold t{pick + 1, true};
    for (int h = 0; h <= pick; ++h) {
        const bool wins = winningTier(rules, h, extraHits) >= 0;
        if (wins && t.mainHits > pick)
            t.mainHits = h;
        else if (!wins && t.mainHits <= pick)
            t.upward = false;
    }
    return t;
}

double atLeast(const SetOdds& odds, int hits) {
    if (hits > SetOdds::MaxHits)
        return 0;
    return double(odds.atLeast[size_t(std::max(0, hits))]);
}

} // namespace

GameRules RulesForWheel(const TLotteryState& state, int pick, int highest) {
    const bool theGame =
        state.DatabaseLoaded && state.DataPick == pick && state.DataRandom == highest;
    return theGame && state.DataRules.present ? state.DataRules : GameRules{};
}

PlayerNumbers ReadExtraNumbers(const QString& text, int extraCount, int extraRange) {
    // Read as the main numbers are, with room for every number of the drum.
    PlayerNumbers read = ReadPlayerNumbers(text, 1, extraRange, 0);
    if (!text.trimmed().isEmpty() && !read.ok())
        return {{},
                tr("Extra numbers: %1 The second drum holds 1 to %2.")
                    .arg(read.problem)
                    .arg(extraRange)};
    if (read.numbers.size() < extraCount) {
        const QString count = extraCount == 1 ? tr("at least 1 extra number")
                                              : tr("at least %1 extra numbers").arg(extraCount);
        return {{},
                tr("Type %1 to play, from the second drum's 1 to %2.").arg(count).arg(extraRange)};
    }
    read.problem.clear();
    return read;
}

QVector<QVector<int>> ExtraGroups(const QVector<int>& extras, int extraCount) {
    QVector<QVector<int>> groups;
    if (extraCount == 1)
        for (int n : extras)
            groups.append(QVector<int>{n});
    else if (extraCount == 2)
        for (int i = 0; i < extras.size(); ++i)
            for (int j = i + 1; j < extras.size(); ++j)
                groups.append(QVector<int>{extras[i], extras[j]});
    return groups;
}

QVector<PlayedLine> PlayedLines(const QVector<QVector<int>>& lines,
                                const QVector<QVector<int>>& groups, bool everyLineGetsEach) {
    QVector<PlayedLine> played;
    if (groups.isEmpty()) {
        for (const QVector<int>& line : lines)
            played.append({line, {}});
    } else if (everyLineGetsEach) {
        for (const QVector<int>& group : groups)
            for (const QVector<int>& line : lines)
                played.append({line, group});
    } else {
        for (int i = 0; i < lines.size(); ++i)
            played.append({lines[i], groups[i % groups.size()]});
    }
    return played;
}

// The extra draw and the main draw are apart, so the chance is summed over every outcome E of
// the extra draw (each as likely): given E, each line needs at least t(e) main hits, e being
// the extras it matched. When every line's t is the same, or the lines needing a finite t are
// the lines of one group, the set odds already computed give that chance exactly; otherwise
// the lines fall in groups asking for different t (or some groups cannot win at all), and the
// chance that some group reaches its own t lies between the likeliest group's chance and the
// sum of theirs (within the chance of the whole set reaching the smallest t and, when every
// group can win, the largest). A prize table where more main hits
// can lose (none known) leaves only the upper bound.
PrizeChance AnyPrizeChance(const GameRules& rules, int pick, const SetOdds& wholeOdds,
                           const QVector<QVector<int>>& groups, bool everyLineGetsEach,
                           const QVector<SetOdds>& groupOdds) {
    PrizeChance chance;
    chance.estimated = wholeOdds.estimated;
    for (const SetOdds& odds : groupOdds)
        chance.estimated = chance.estimated || odds.estimated;
    if (!rules.hasSecondDrum() || groups.isEmpty()) {
        const Threshold plain = thresholdOf(rules, pick, 0);
        chance.low = chance.high = atLeast(wholeOdds, plain.mainHits);
        if (rules.extra == ExtraKind::SameDrumBonus) {
            // A tier needing the bonus below the plain threshold wins only with the bonus.
            const Threshold bonus = thresholdOf(rules, pick, 1);
            chance.high = atLeast(wholeOdds, std::min(plain.mainHits, bonus.mainHits));
            if (!bonus.upward)
                chance.low = 0;
        }
        if (!plain.upward)
            chance.low = 0;
        return chance;
    }
    const int range = rules.extraRange, m = rules.extraCount;
    const bool cycling = !everyLineGetsEach && groupOdds.size() == groups.size();
    double low = 0, high = 0;
    int outcomes = 0;
    bool upward = true;
    const auto addOutcome = [&](const QVector<int>& drawn) {
        ++outcomes;
        int fewest = pick + 1, most = -1;
        double likeliest = 0, sum = 0;
        int finiteGroups = 0, activeGroups = 0;
        for (int g = 0; g < groups.size(); ++g) {
            if (cycling && groupOdds[g].mostHits == 0)
                continue; // more groups than lines: this one has none
            ++activeGroups;
            int e = 0;
            for (int n : groups[g])
                e += drawn.contains(n);
            const Threshold t = thresholdOf(rules, pick, e);
            upward = upward && t.upward;
            if (t.mainHits > pick)
                continue;
            ++finiteGroups;
            fewest = std::min(fewest, t.mainHits);
            most = std::max(most, t.mainHits);
            if (cycling) {
                const double p = atLeast(groupOdds[g], t.mainHits);
                likeliest = std::max(likeliest, p);
                sum += p;
            }
        }
        if (finiteGroups == 0)
            return;
        const double whole = atLeast(wholeOdds, fewest);
        // Every line played with every group, one group in play, or every line in play with
        // one t for all: exact.
        const bool allInPlay = finiteGroups == activeGroups;
        if (!cycling || finiteGroups == 1 || (allInPlay && fewest == most)) {
            const double p = cycling && finiteGroups == 1 ? likeliest : whole;
            low += p;
            high += p;
            return;
        }
        low += std::max(likeliest, allInPlay ? atLeast(wholeOdds, most) : 0.0);
        high += std::min({1.0, sum, whole});
    };
    for (int a = 1; a <= range; ++a) {
        if (m == 1) {
            addOutcome({a});
            continue;
        }
        for (int b = a + 1; b <= range; ++b)
            addOutcome({a, b});
    }
    if (outcomes > 0) {
        chance.low = upward ? low / outcomes : 0;
        chance.high = high / outcomes;
    }
    return chance;
}

QStringList PrizeRows(const GameRules& rules, int pick, int range, int playedLines,
                      const PrizeChance& chance) {
    const QLocale english(QLocale::English);
    const QString count = english.toString(playedLines);
    const auto percent = [&](double p) { return english.toString(p * 100, 'g', 3); };
    QString any = QStringLiteral("Any prize on these %1 lines: ").arg(count);
    if (chance.estimated)
        any += QStringLiteral("about ");
    if (chance.exact() || chance.high <= 0)
        any += chance.low <= 0
                   ? QStringLiteral("never")
                   : QStringLiteral("%1 (%2 %)").arg(oneInText(chance.low), percent(chance.low));
    else if (chance.low <= 0)
        any +=
            QStringLiteral("at most %1 (%2 %)").arg(oneInText(chance.high), percent(chance.high));
    else
        any += QStringLiteral("between %1 and %2 (%3 % to %4 %)")
                   .arg(oneInText(chance.low), oneInText(chance.high), percent(chance.low),
                        percent(chance.high));
    // A line wins its best tier only, so the set expects the sum of what its lines expect.
    const bool jackpotKnown = rules.jackpotCents > 0;
    const double expected = expectedReturnCents(pick, range, rules, jackpotKnown) * playedLines;
    QString worth = QStringLiteral("Expected return of the %1 lines: %2")
                        .arg(count, moneyText(qint64(std::llround(expected))));
    if (rules.priceCents > 0)
        worth += QStringLiteral(" for %1").arg(moneyText(rules.priceCents * playedLines));
    bool jackpotTier = false;
    for (const PrizeTier& tier : rules.tiers)
        jackpotTier = jackpotTier || tier.jackpot;
    if (jackpotTier && !jackpotKnown)
        worth += QStringLiteral(" (the jackpot not counted)");
    return {any, worth};
}
