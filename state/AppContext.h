#pragma once

struct TLotteryState;
class TDrawTable;
struct Platform;
class HintDisplay;

// What every window receives: the program state, the draw table, the platform services and
// the application's hint display.
struct AppContext {
    TLotteryState& state;
    TDrawTable& table;
    Platform& platform;
    HintDisplay& hints;
};
