#include "RulesPresets.h"

namespace {

constexpr qint64 Unit = 100; // cents

PrizeTier jackpot(int main, int extra) {
    return {main, extra, true, 0};
}

PrizeTier prize(int main, int extra, qint64 units) {
    return {main, extra, false, units * Unit};
}

GameRules drumRules(int count, int range, qint64 priceCents, QVector<PrizeTier> tiers) {
    GameRules rules;
    rules.present = true;
    rules.extra = ExtraKind::SecondDrum;
    rules.extraCount = count;
    rules.extraRange = range;
    rules.priceCents = priceCents;
    rules.tiers = std::move(tiers);
    return rules;
}

GameRules bonusRules(qint64 priceCents, QVector<PrizeTier> tiers) {
    GameRules rules;
    rules.present = true;
    rules.extra = ExtraKind::SameDrumBonus;
    rules.priceCents = priceCents;
    rules.tiers = std::move(tiers);
    return rules;
}

QVector<RulesPreset> makePresets() {
    QVector<RulesPreset> presets;
    // Source: the official "Lotto 6/49" prize structure page of the Canadian interprovincial
    // lottery. $3 a play; 3 numbers pay $10, 2 + bonus $5, 2 a free play (worth its $3);
    // 5 + bonus, 5 and 4 share pools.
    presets << RulesPreset{
        QStringLiteral("Lotto 6/49 + bonus"), 6, 49,
        bonusRules(300, {jackpot(6, 0), prize(5, 1, 0), prize(5, 0, 0), prize(4, 0, 0),
                         prize(3, 0, 10), prize(2, 1, 5), prize(2, 0, 3)})};
    // Source: the official UK National Lottery "Lotto" game procedures and prize page. £2 a
    // line; 5 + bonus £1,000,000, 5 £1,750, 4 £140, 3 £30, 2 a free Lucky Dip (worth £2).
    presets << RulesPreset{
        QStringLiteral("UK Lotto 6/59 + bonus"), 6, 59,
        bonusRules(200, {jackpot(6, 0), prize(5, 1, 1'000'000), prize(5, 0, 1'750),
                         prize(4, 0, 140), prize(3, 0, 30), prize(2, 0, 2)})};
    // Source: the official Powerball "Prizes and Odds" page (powerball.com). $2 a play.
    presets << RulesPreset{QStringLiteral("US Powerball 5/69 + 1/26"), 5, 69,
                           drumRules(1, 26, 200,
                                     {jackpot(5, 1), prize(5, 0, 1'000'000), prize(4, 1, 50'000),
                                      prize(4, 0, 100), prize(3, 1, 100), prize(3, 0, 7),
                                      prize(2, 1, 7), prize(1, 1, 4), prize(0, 1, 4)})};
    // Source: the official Mega Millions "Prizes and Odds" page (megamillions.com), for the
    // game as drawn from April 2025: $5 a play with the multiplier built in; the prizes below
    // are the least it pays (2X).
    presets << RulesPreset{QStringLiteral("US Mega Millions 5/70 + 1/24"), 5, 70,
                           drumRules(1, 24, 500,
                                     {jackpot(5, 1), prize(5, 0, 2'000'000), prize(4, 1, 20'000),
                                      prize(4, 0, 1'000), prize(3, 1, 400), prize(3, 0, 20),
                                      prize(2, 1, 20), prize(1, 1, 14), prize(0, 1, 10)})};
    // Source: the official EuroMillions rules (the organisers' "Rules of the game" page).
    // €2.50 a line; all thirteen tiers below the jackpot share pools.
    presets << RulesPreset{
        QStringLiteral("EuroMillions 5/50 + 2/12"), 5, 50,
        drumRules(2, 12, 250,
                  {jackpot(5, 2), prize(5, 1, 0), prize(5, 0, 0), prize(4, 2, 0), prize(4, 1, 0),
                   prize(3, 2, 0), prize(4, 0, 0), prize(2, 2, 0), prize(3, 1, 0), prize(3, 0, 0),
                   prize(1, 2, 0), prize(2, 1, 0), prize(2, 0, 0)})};
    // Source: the official Eurojackpot game conditions (eurojackpot.org), as drawn from March
    // 2022. €2 a line; all eleven tiers below the jackpot share pools.
    presets << RulesPreset{
        QStringLiteral("Eurojackpot 5/50 + 2/12"), 5, 50,
        drumRules(2, 12, 200,
                  {jackpot(5, 2), prize(5, 1, 0), prize(5, 0, 0), prize(4, 2, 0), prize(4, 1, 0),
                   prize(4, 0, 0), prize(3, 2, 0), prize(2, 2, 0), prize(3, 1, 0), prize(3, 0, 0),
                   prize(1, 2, 0), prize(2, 1, 0)})};
    return presets;
}

} // namespace

const QVector<RulesPreset>& rulesPresets() {
    static const QVector<RulesPreset> presets = makePresets();
    return presets;
}

QVector<RulesPreset> presetsFor(int pick, int range, bool headerBonus) {
    QVector<RulesPreset> fitting;
    for (const RulesPreset& preset : rulesPresets()) {
        const bool bonus = preset.rules.extra == ExtraKind::SameDrumBonus;
        if (preset.pick == pick && preset.range == range && bonus == headerBonus)
            fitting << preset;
    }
    return fitting;
}
