#include "odds/LineSetIndex.h"

#include <bitset>

LineSetIndex LineSetIndex::build(const QVector<QVector<int>>& lines) {
    LineSetIndex index;
    index.lineCount = int(lines.size());
    index.positionOf.fill(-1);
    std::array<int, 100> holders{};
    for (const QVector<int>& line : lines) {
        std::bitset<100> seen;
        for (int number : line)
            if (!seen[size_t(number)]) {
                seen.set(size_t(number));
                ++holders[size_t(number)];
            }
    }
    for (int number = 1; number <= 99; ++number)
        if (holders[size_t(number)] > 0) {
            index.positionOf[size_t(number)] = index.unionSize();
            index.unionNumbers.push_back(number);
        }
    index.firstLine.assign(size_t(index.unionSize()) + 1, 0);
    for (int i = 0; i < index.unionSize(); ++i)
        index.firstLine[size_t(i) + 1] =
            index.firstLine[size_t(i)] + holders[size_t(index.unionNumbers[size_t(i)])];
    index.linesOf.resize(size_t(index.firstLine.back()));
    std::vector<int> filled(index.firstLine.begin(), index.firstLine.end() - 1);
    for (int l = 0; l < index.lineCount; ++l) {
        std::bitset<100> seen;
        for (int number : lines[l])
            if (!seen[size_t(number)]) {
                seen.set(size_t(number));
                const int position = index.positionOf[size_t(number)];
                index.linesOf[size_t(filled[size_t(position)]++)] = l;
            }
    }
    return index;
}
