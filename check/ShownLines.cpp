#include "ShownLines.h"

#include "state/GroupedCount.h"

namespace ShownLines {

namespace {

// The closing line for `count` lines not shown.
QString moreLinesText(qsizetype count) {
    return count == 1 ? QStringLiteral("(1 more line, not shown)")
                      : QStringLiteral("(%1 more lines, not shown)").arg(groupedCount(count));
}

} // namespace

QString text(const TextLines& lines) {
    QString shown;
    qsizetype count = 0;
    for (const QStringView line : lines) {
        if (count == MaxLines || shown.size() >= MaxCharacters)
            break;
        if (count++ > 0)
            shown += u'\n';
        if (line.size() <= MaxLineLength) {
            shown += line;
        } else {
            shown += line.left(MaxLineLength);
            shown += QChar(0x2026); // ellipsis
        }
    }
    if (count < lines.size())
        shown += u'\n' + moreLinesText(lines.size() - count);
    return shown;
}

} // namespace ShownLines
