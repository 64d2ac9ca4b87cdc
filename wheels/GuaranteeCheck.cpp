#include "wheels/GuaranteeCheck.h"

#include <QCoreApplication>
#include <QtAlgorithms>
#include <array>
#include <vector>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("GuaranteeCheck", text);
}

// The next larger mask with as many bits set: walking from the smallest one visits every set
// of that size once, in increasing order.
quint64 nextSameSize(quint64 mask) {
    const quint64 lowest = mask & (~mask + 1);
    const quint64 ripple = mask + lowest;
    return ripple | (((mask ^ ripple) >> 2) / lowest);
}

// The positions of a mask's bits, lowest first.
int positionsOf(quint64 mask, std::array<int, 64>& positions) {
    int count = 0;
    for (; mask; mask &= mask - 1)
        positions[size_t(count++)] = qCountTrailingZeroBits(mask);
    return count;
}

// Marks which T-sets lie inside some line. A case meets a line in T or more numbers exactly
// when one of its T-subsets lies in that line, so a case is covered when any of its T-subsets
// is marked. T-sets are numbered in the combinatorial number system: the set {p1 < ... < pT}
// gets C(p1, 1) + C(p2, 2) + ... + C(pT, T), a one-to-one map onto 0 .. C(V, T) - 1.
class TSetMarks {
public:
    TSetMarks(int pool, int size) {
        for (int n = 0; n < 65; ++n) {
            choose_[size_t(n)][0] = 1;
            for (int r = 1; r <= 7; ++r)
                choose_[size_t(n)][size_t(r)] = n == 0 ? 0
                                                       : choose_[size_t(n - 1)][size_t(r - 1)] +
                                                             choose_[size_t(n - 1)][size_t(r)];
        }
        marks_.assign(size_t(choose_[size_t(pool)][size_t(size)] / 64 + 1), 0);
    }

    // The T-subsets of a set of `count` positions, chosen by the index masks `picks`.
    template <typename Visit>
    bool anySubset(const std::array<int, 64>& positions, const std::vector<quint64>& picks,
                   Visit visit) const {
        for (quint64 pick : picks) {
            quint64 rank = 0;
            int r = 1;
            for (quint64 bits = pick; bits; bits &= bits - 1, ++r)
                rank += choose_[size_t(positions[size_t(qCountTrailingZeroBits(bits))])][size_t(r)];
            if (visit(rank))
                return true;
        }
        return false;
    }
    void mark(quint64 rank) { marks_[size_t(rank >> 6)] |= quint64(1) << (rank & 63); }
    bool marked(quint64 rank) const { return marks_[size_t(rank >> 6)] >> (rank & 63) & 1; }

private:
    std::array<std::array<quint64, 8>, 65> choose_{};
    std::vector<quint64> marks_;
};

// Every way to pick `size` of `count` items, as masks over the item indexes.
std::vector<quint64> picksOf(int count, int size) {
    std::vector<quint64> picks;
    const quint64 end = quint64(1) << count;
    for (quint64 pick = (quint64(1) << size) - 1; pick < end; pick = nextSameSize(pick))
        picks.push_back(pick);
    return picks;
}

QString linesProblem(const WheelTerms& terms, const WheelLines& lines) {
    const quint64 allowed = (quint64(1) << terms.pool) - 1;
    for (size_t l = 0; l < lines.size(); ++l)
        if ((lines[l] & ~allowed) != 0 || int(qPopulationCount(lines[l])) != terms.lineSize)
            return tr("Line %1 does not hold %2 of the %3 numbers.")
                .arg(l + 1)
                .arg(terms.lineSize)
                .arg(terms.pool);
    return {};
}

} // namespace

GuaranteeCheck CheckGuarantee(const WheelTerms& terms, const WheelLines& lines,
                              const std::atomic<bool>* stop) {
    GuaranteeCheck check;
    check.problem = WheelTermsProblem(terms);
    if (check.problem.isEmpty())
        check.problem = linesProblem(terms, lines);
    if (!check.problem.isEmpty())
        return check;

    TSetMarks marks(terms.pool, terms.guarantee);
    std::array<int, 64> positions{};
    const auto stopped = [stop](quint64 step) {
        return (step & 0xfff) == 1 && stop && stop->load(std::memory_order_relaxed);
    };
    const std::vector<quint64> linePicks = picksOf(terms.lineSize, terms.guarantee);
    quint64 step = 0;
    for (WheelLine line : lines) {
        if (stopped(++step))
            return {};
        positionsOf(line, positions);
        marks.anySubset(positions, linePicks, [&](quint64 rank) {
            marks.mark(rank);
            return false;
        });
    }

    // Every case is visited, even after a miss, so the window can say how many are missed.
    const std::vector<quint64> casePicks = picksOf(terms.ifDrawn, terms.guarantee);
    const quint64 end = quint64(1) << terms.pool;
    for (quint64 drawn = (quint64(1) << terms.ifDrawn) - 1; drawn < end;
         drawn = nextSameSize(drawn)) {
        if (stopped(++check.casesChecked))
            return {};
        positionsOf(drawn, positions);
        if (!marks.anySubset(positions, casePicks,
                             [&](quint64 rank) { return marks.marked(rank); })) {
            if (check.missedCases++ == 0)
                check.firstMissed = drawn;
        }
    }
    check.holds = check.missedCases == 0;
    return check;
}
