#include "wheels/WheelFile.h"

#include "lines/CheckFile.h"
#include "wheels/PlayerNumbers.h"

#include <QCoreApplication>
#include <bitset>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("WheelFile", text);
}

} // namespace

LoadedWheel ReadWheel(const TextLines& fileLines, int lineSize, int highest) {
    LoadedWheel wheel;
    QVector<std::bitset<100>> lineSets;
    std::bitset<100> used;
    int row = 0;
    for (QStringView text : fileLines) {
        ++row;
        if (!text.contains(u'>'))
            continue;
        const QString line = text.toString();
        std::bitset<100> numbers;
        for (int k = 1; k <= lineSize; ++k) {
            const int number = CheckFile::numberAt(line, k);
            if (number < 1 || number > highest || numbers[size_t(number)]) {
                wheel.problem = tr("Line %1 of the file is not a line of %2 different numbers "
                                   "from 1 to %3.")
                                    .arg(row)
                                    .arg(lineSize)
                                    .arg(highest);
                return wheel;
            }
            numbers.set(size_t(number));
        }
        lineSets.append(numbers);
        used |= numbers;
    }
    if (lineSets.isEmpty()) {
        wheel.problem = tr("The file holds no lines.");
        return wheel;
    }
    if (used.count() > size_t(MaxPlayerNumbers)) {
        wheel.problem = tr("The lines use %1 numbers: a wheel takes at most %2.")
                            .arg(used.count())
                            .arg(MaxPlayerNumbers);
        return wheel;
    }
    std::array<int, 100> position{};
    for (int number = 1; number <= 99; ++number)
        if (used[size_t(number)]) {
            position[size_t(number)] = int(wheel.playerNumbers.size());
            wheel.playerNumbers.append(number);
        }
    for (const std::bitset<100>& numbers : lineSets) {
        WheelLine mask = 0;
        for (int number = 1; number <= 99; ++number)
            if (numbers[size_t(number)])
                mask |= WheelLine(1) << position[size_t(number)];
        wheel.lines.push_back(mask);
    }
    return wheel;
}
