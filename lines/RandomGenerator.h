#pragma once

#include <QtGlobal>

// The 32-bit linear congruential generator behind every random line. Its exact sequence matters:
// a seed gives the same lines on every machine, which the tests rely on.
class RandomGenerator {
public:
    explicit RandomGenerator(quint32 seed = 0) : m_seed(seed) {}

    void setSeed(quint32 seed) { m_seed = seed; }
    quint32 seed() const { return m_seed; }

    // Advances the seed and returns a number from 0 to n - 1 (0 when n < 1). Inline: the
    // pickers call it for every number they try, millions of times in a back-test.
    int next(int n) {
        m_seed = m_seed * 134775813u + 1u; // wraps modulo 2^32
        if (n < 1)
            return 0;
        return static_cast<int>((quint64(m_seed) * quint64(quint32(n))) >> 32);
    }

    // The seed taken from the clock: milliseconds since midnight, UTC.
    static quint32 seedFromTimeOfDay(int millisecondsSinceMidnightUtc);

private:
    quint32 m_seed = 0;
};
