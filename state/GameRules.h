#pragma once

#include <QString>
#include <QVector>

// A game's real rules, beyond "pick k of 1..R": where its extra numbers come from, what a
// line costs and what each prize tier pays. Stored in the header file's [Rules] section; a
// header without one is a game of main numbers only (`present` false). Money is held in
// cents so that sums over many tickets stay exact.
enum class ExtraKind { None, SameDrumBonus, SecondDrum };

struct PrizeTier {
    int mainHits = 0;
    // Second drum: extra numbers matched (0..extraCount). Same-drum bonus: 1 when the tier
    // needs the bonus among the line's other numbers ("5 + bonus"), else 0.
    int extraHits = 0;
    bool jackpot = false; // pays the jackpot rather than `prizeCents`
    qint64 prizeCents = 0;

    bool operator==(const PrizeTier& o) const {
        return mainHits == o.mainHits && extraHits == o.extraHits && jackpot == o.jackpot &&
               prizeCents == o.prizeCents;
    }
};

struct GameRules {
    bool present = false; // the header held a valid [Rules] section
    ExtraKind extra = ExtraKind::None;
    int extraCount = 0; // second drum: numbers drawn from it and picked by the player (1 or 2)
    int extraRange = 0; // second drum: its highest number (1..99)
    qint64 priceCents = 0;   // one line; 0 when not known
    qint64 jackpotCents = 0; // the jackpot the player expects; 0 when not given
    QVector<PrizeTier> tiers;

    // Where new draws come from, kept with the rules.
    QString updateAddress;
    bool updateAtStart = false;
    QString lastStartCheck; // ISO date (yyyy-MM-dd) of the last look at start-up

    bool hasSecondDrum() const { return extra == ExtraKind::SecondDrum && extraCount > 0; }
    // The most extra numbers a line can match: the bonus, or the second drum's numbers.
    int extraHitsLimit() const {
        return extra == ExtraKind::SameDrumBonus ? 1
               : extra == ExtraKind::SecondDrum  ? qBound(0, extraCount, 2)
                                                 : 0;
    }
    // Numbers a draw and a line carry from the second drum: 0, 1 or 2.
    int drumNumbers() const { return hasSecondDrum() ? qBound(0, extraCount, 2) : 0; }
};
