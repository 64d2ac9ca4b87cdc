#pragma once

#include "state/GameRules.h"

#include <QString>
#include <array>

// The program-wide record every window reads and writes. Line slots, favourites and exclusions
// are numbered 1..7 as the user sees them, so index 0 of those arrays is unused; HitCounts is
// indexed by the number itself (1..99).
struct TLotteryState {
    static constexpr int MaxPick = 7;
    using Slots = std::array<int, MaxPick + 1>;

    int PickCount = 0;
    int LowNumber = 0;
    int RandomBound = 0; // highest number that may be drawn, plus one
    Slots LineNumbers{};
    std::array<QString, MaxPick + 1> LineText{};
    Slots Favorites{};
    bool UseFavorites = false;
    Slots Excluded{};
    bool UseExcluded = false;
    bool Generating = false;
    int GeneratedCount = 0;

    bool DatabaseLoaded = false;
    // Where the loaded database's header file is; its draw file lives beside it. Every reader
    // and writer of the loaded database's files goes by this one path.
    QString DataHeaderPath;
    QString DataName;
    int DataPick = 0;
    int DataRandom = 0; // highest number of the loaded game itself
    bool DataBonus = false;
    QString DataDescription;
    int DataTotalDraws = 0;
    QString DataLastDraw;
    GameRules DataRules; // the loaded game's [Rules]; `present` false for a game without them

    std::array<int, 100> HitCounts{};
};
