#pragma once

#include <QString>

struct TLotteryState;

// The settings file "Ballmere.ini" of the program folder, section "Options".
namespace Settings {

inline constexpr char FileName[] = "Ballmere.ini";
// What a missing file, or a missing or unreadable key, gives.
inline constexpr int DefaultPick = 6;
inline constexpr int DefaultRandomBound = 50;
inline constexpr int DefaultLow = 1;
inline constexpr int DefaultSelection = 5;

// Reads the stored keys into `state` and `selection` (the pick selector's index); a missing or
// unreadable key takes its default. Values only a hand-edited file can hold are then brought
// back into the ranges the windows and the generator work with. Returns false when the file
// does not exist (nothing is read).
bool load(const QString& path, TLotteryState& state, int* selection);

// Writes the six keys in their fixed order, updating the file in place. Returns an empty
// string, or "Unable to write to <path>".
QString save(const QString& path, const TLotteryState& state, int selection);

// Brings the stored values into range: the pick selector to 0..6 with the pick count matching
// it, the low end to 1..90, the random bound to 10..100; a database name that could not name a
// file switches the reload off.
void correct(TLotteryState& state, int* selection);

} // namespace Settings
