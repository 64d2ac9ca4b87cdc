#pragma once

#include <QString>

struct TLotteryState;

// The settings file "Ballmere.ini" of the program folder, section "Options".
namespace Settings {

inline constexpr char FileName[] = "Ballmere.ini";
inline constexpr int DefaultSelection = 5;

// Reads the stored keys into `state`; a missing key leaves its field (and `selection`, the
// pick selector's index) as it was. Values only a hand-edited file can hold are then brought
// back into the ranges the windows and the generator work with. Returns false when the file
// does not exist (nothing is read).
bool load(const QString& path, TLotteryState& state, int* selection);

// Writes the six keys in their documented order, updating the file in place. Returns an empty
// string, or "Unable to write to <path>".
QString save(const QString& path, const TLotteryState& state, int selection);

// Brings the stored values into range: the pick selector to 0..6 with the pick count matching
// it, the low end to 1..90, the random bound to 10..100; a database name that could not name a
// file switches the reload off.
void correct(TLotteryState& state, int* selection);

} // namespace Settings
