#include "wheels/CaseRanks.h"

CaseRanks::CaseRanks(int pool, int drawn) {
    for (size_t n = 0; n < choose_.size(); ++n) {
        choose_[n][0] = 1;
        for (size_t r = 1; r < 8; ++r)
            choose_[n][r] = n == 0 ? 0 : choose_[n - 1][r - 1] + choose_[n - 1][r];
    }
    count_ = choose_[size_t(pool)][size_t(drawn)];
}

std::vector<quint64> Choices(int n, int r) {
    std::vector<quint64> choices;
    if (r < 0 || r > n)
        return choices;
    if (r == 0)
        return {0};
    const quint64 end = quint64(1) << n;
    for (quint64 choice = (quint64(1) << r) - 1; choice < end; choice = NextSameSize(choice))
        choices.push_back(choice);
    return choices;
}
