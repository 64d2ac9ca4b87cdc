#include "app/RandomGenerator.h"

int RandomGenerator::next(int n) {
    m_seed = m_seed * 134775813u + 1u; // wraps modulo 2^32
    if (n < 1)
        return 0;
    return static_cast<int>((quint64(m_seed) * quint64(quint32(n))) >> 32);
}

quint32 RandomGenerator::seedFromTimeOfDay(int millisecondsSinceMidnightUtc) {
    return static_cast<quint32>(millisecondsSinceMidnightUtc);
}
