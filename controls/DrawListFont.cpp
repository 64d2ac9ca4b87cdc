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
    QList<QFont> candidates;
    for (const char* family : {"Liberation Sans Narrow", "DejaVu Sans Condensed"}) {
        QFont narrow(QString::fromLatin1(family), list.font().pointSize());
        if (QFontInfo(narrow).family() == narrow.family())
            candidates << narrow;
    }
    QFont smaller = list.font();
    smaller.setPointSize(list.font().pointSize() - 1);
    candidates << list.font() << smaller;
    for (const QFont& font : candidates) {
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(longest) <= room && metrics.horizontalAdvance(rule) <= room)
            return font;
    }
    return smaller;
}
