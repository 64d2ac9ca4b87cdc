#include "lines/RandomGenerator.h"

quint32 RandomGenerator::seedFromTimeOfDay(int millisecondsSinceMidnightUtc) {
    return static_cast<quint32>(millisecondsSinceMidnightUtc);
}
