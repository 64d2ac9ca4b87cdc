#pragma once

#include <QString>

struct TLotteryState;
class TDrawTable;

// The last stored draw as the checker offers it: as the panel's caption, and as winning
// entries for its boxes.
namespace LastDraw {

// A database is loaded and holds at least one draw.
bool available(const TLotteryState& state, const TDrawTable& table);

// The date, " :", then the number cells of the last draw exactly as stored, bonus last:
// " 06/12/97 :  03  17  22  31  40  45  12".
QString caption(const TLotteryState& state, const TDrawTable& table);

// A stored number cell as a box shows it: "07", "23". Empty when the cell is not a whole
// number, or one that two characters cannot show.
QString boxText(const QString& cell);

} // namespace LastDraw
