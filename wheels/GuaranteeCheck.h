#pragma once

#include "wheels/WheelTerms.h"

#include <QString>
#include <atomic>

// Proof that a wheel keeps its promise, by trying every case: each M-set of the player's numbers
// must meet some line in at least T numbers. Written apart from the search, sharing none of its
// bookkeeping, so a fault in one is caught by the other.

struct GuaranteeCheck {
    bool holds = false;
    quint64 casesChecked = 0; // every case, C(V, M), once the check ran
    quint64 missedCases = 0;
    // The first case (in increasing order of its mask) that no line meets in T numbers; 0 when
    // the guarantee holds.
    WheelLine firstMissed = 0;
    // Non-empty when the terms or a line is malformed; nothing was checked then.
    QString problem;
};

// Any wheel WheelTermsProblem accepts checks in well under a second. `stop`, set from any
// thread, ends it within milliseconds; the check then holds nothing (holds false, no cases).
GuaranteeCheck CheckGuarantee(const WheelTerms& terms, const WheelLines& lines,
                              const std::atomic<bool>* stop = nullptr);
