#include "DrawListFont.h"

#include "app/CheckFile.h"

#include <QFontInfo>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>

#include <cmath>

QFont drawListFont(const QPlainTextEdit& list) {
    const QString longest = QStringLiteral("7/49  >  88 - 88 - 88 - 88 - 88 - 88 - 88");
    const QString rule = CheckFile::headerLines().value(3);
    const int room = list.width() - 2 * list.frameWidth() -
                     list.style()->pixelMetric(QStyle::PM_ScrollBarExtent) -
                     2 * int(std::ceil(list.document()->documentMargin())) - 2;
    const auto fits = [&](const QFont& font) {
        const QFontMetrics metrics(font);
        return metrics.horizontalAdvance(longest) <= room &&
               metrics.horizontalAdvance(rule) <= room;
    };
    // Tried in order and only as far as needed: looking a face up costs start-up time.
    for (const char* family : {"Liberation Sans Narrow", "DejaVu Sans Condensed"}) {
        const QFont narrow(QString::fromLatin1(family), list.font().pointSize());
        if (QFontInfo(narrow).family() == narrow.family() && fits(narrow))
            return narrow;
    }
    if (fits(list.font()))
        return list.font();
    QFont smaller = list.font();
    smaller.setPointSize(list.font().pointSize() - 1);
    return smaller;
}
