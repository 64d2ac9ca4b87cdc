#pragma once

// A year written with two digits, as the short date format and published draw histories
// write it: 50..99 are the 1900s, 00..49 the 2000s. Draws go back to the early 1980s and on
// into this century, so both readings of "00" must agree: 29/02/00 is a real draw date.
constexpr int TwoDigitYearPivot = 50;

constexpr int yearFromTwoDigits(int twoDigits) {
    return twoDigits >= TwoDigitYearPivot ? 1900 + twoDigits : 2000 + twoDigits;
}
