#pragma once

#include <QtGlobal>

// The chances of one line. The game draws k numbers from 1..R and a line holds k numbers too.
// A draw with exactly h of the line's numbers takes h of the line's k numbers and k - h of the
// R - k others, so of the C(R, k) equally likely draws, C(k, h) * C(R - k, k - h) give h hits.

// Draws giving exactly `hits` hits to one line: C(k, hits) * C(R - k, k - hits); 0 when hits is
// outside 0..k or the game does not exist (k < 1 or R < k).
quint64 DrawsWithHits(int lineSize, int highest, int hits);

// All possible draws, C(R, k).
quint64 AllDraws(int lineSize, int highest);

// DrawsWithHits / AllDraws; 0 for a game that does not exist.
long double ChanceOfHits(int lineSize, int highest, int hits);

// Among `lines` lines, how many are expected to have exactly `hits` hits in one draw: the
// expectation of a sum is the sum of the expectations, whether or not the lines overlap.
long double ExpectedLinesWithHits(quint64 lines, int lineSize, int highest, int hits);
