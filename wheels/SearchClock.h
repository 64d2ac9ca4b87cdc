#pragma once

#include <QtGlobal>

// Where the wheel search reads the time its effort is measured against: the steady clock in
// the program, a clock a test sets by hand so it never waits on real seconds.
class SearchClock {
public:
    virtual ~SearchClock() = default;
    // Milliseconds from any fixed origin, never going back; read from several threads.
    virtual qint64 nowMs() const = 0;
};

// The machine's steady clock.
class SteadySearchClock : public SearchClock {
public:
    qint64 nowMs() const override;
};
