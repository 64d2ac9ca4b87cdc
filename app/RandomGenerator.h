#pragma once

#include <QtGlobal>

// The 32-bit linear congruential generator behind every random line. Its exact sequence matters:
// a seed gives the same lines on every machine, which the tests rely on.
class RandomGenerator {
public:
    explicit RandomGenerator(quint32 seed = 0) : m_seed(seed) {}

    void setSeed(quint32 seed) { m_seed = seed; }
    quint32 seed() const { return m_seed; }

    // Advances the seed and returns a number from 0 to n - 1 (0 when n < 1).
    int next(int n);

    // The seed taken from the clock: milliseconds since midnight, UTC.
    static quint32 seedFromTimeOfDay(int millisecondsSinceMidnightUtc);

private:
    quint32 m_seed = 0;
};
