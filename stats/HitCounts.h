#pragma once

#include <array>

class TDrawTable;

// How often each number was drawn over the first n stored draws, and the hot / average / cold
// classes those counts fall into. Counts are indexed by the number itself (1..99; 0 unused).

using HitCountTable = std::array<int, 100>;

enum class HitClass { Hot, Average, Cold };
using HitClassTable = std::array<HitClass, 100>;

struct HitLimits {
    double mean = 0;
    double deviation = 0; // population standard deviation
    double lower = 0;     // mean - deviation: at or below is cold
    double upper = 0;     // mean + deviation: at or above is hot
};

// Counts the first n draws (the dated rows, in table order), columns 1..7 and, with
// includeBonus, column 8. Every occurrence counts.
// Cells that are not a whole number, or hold one outside 1..99, are skipped.
HitCountTable CountHits(const TDrawTable& table, int n, bool includeBonus);

// Classes of numbers 1..highest (entries above stay Cold) and the limits they were judged by.
HitLimits ClassifyHits(int highest, const HitCountTable& counts, HitClassTable* classes);
