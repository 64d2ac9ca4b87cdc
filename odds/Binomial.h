#pragma once

#include <QtGlobal>

// Binomial coefficients for the odds and the wheels. Counts of draws reach C(99,7), about
// 1.5e10, past 32 bits, so everything is 64-bit; products are formed in 128 bits.

// C(n, r): 0 when r < 0, r > n or n < 0. A result above 2^64 - 1 saturates at that value (it
// never happens for n <= 99 and r <= 7, nor for any n <= 67).
quint64 Binomial(int n, int r);
