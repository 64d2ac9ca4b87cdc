#include "odds/Binomial.h"

#include <limits>

quint64 Binomial(int n, int r) {
    if (n < 0 || r < 0 || r > n)
        return 0;
    if (r > n - r)
        r = n - r;
    // After step i the running value is C(n - r + i, i), a whole number, so the division is
    // exact; 128 bits hold the product while the value itself fits in 64.
    unsigned __int128 value = 1;
    for (int i = 1; i <= r; ++i) {
        value = value * unsigned(n - r + i) / unsigned(i);
        if (value > std::numeric_limits<quint64>::max())
            return std::numeric_limits<quint64>::max();
    }
    return quint64(value);
}
