#pragma once

// Small games of every kind of extra numbers, and the presets by name, for the rules tests.

#include "games/RulesPresets.h"
#include "state/GameRules.h"

#include <QMetaType>

Q_DECLARE_METATYPE(GameRules)

namespace testgames {

inline PrizeTier tier(int main, int extra, qint64 cents = 100, bool jackpot = false) {
    return {main, extra, jackpot, cents};
}

inline GameRules rulesOf(ExtraKind extra, int count, int range, QVector<PrizeTier> tiers,
                         qint64 priceCents = 200) {
    GameRules rules;
    rules.present = true;
    rules.extra = extra;
    rules.extraCount = count;
    rules.extraRange = range;
    rules.priceCents = priceCents;
    rules.tiers = std::move(tiers);
    return rules;
}

inline GameRules presetRules(const QString& name) {
    for (const RulesPreset& preset : rulesPresets())
        if (preset.name == name)
            return preset.rules;
    return {};
}

inline const QString Powerball = QStringLiteral("US Powerball 5/69 + 1/26");
inline const QString Lotto649 = QStringLiteral("Lotto 6/49 + bonus");

} // namespace testgames
