#include "DrawListFont.h"

#include "lines/CheckFile.h"

#include <QApplication>
#include <QHash>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>

#include <cmath>

namespace {

// The size the lists of every window take at the usual widths: fitting starts there, so that it
// usually measures two sizes only (this one fits, the next does not).
constexpr double PointSize = 9;
constexpr double LargestPointSize = 12;
constexpr double SmallestPointSize = 5;
constexpr double Step = 0.5;
constexpr int TextMargin = 2;

// The narrow face is in the fonts-liberation package, the condensed one in fonts-dejavu-extra;
// Qt takes the first installed, else the window's own face, which is then fitted the same way.
// Naming them all spares a look-up of its own at start-up.
QStringList listFamilies() {
    return {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed"),
            QApplication::font().family()};
}

int roomOf(const QPlainTextEdit& list) {
    const int scrollBar = list.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff
                              ? 0
                              : list.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The text cursor's pixel, and one for rounding.
    return list.width() - 2 * list.frameWidth() - scrollBar - 2 * TextMargin - 2;
}

bool fits(const QFont& font, int room) {
    const QFontMetricsF metrics(font);
    for (const QString& line : widestDrawListLines())
        if (std::ceil(metrics.horizontalAdvance(line)) > room)
            return false;
    return true;
}

} // namespace

QStringList widestDrawListLines() {
    return {QStringLiteral("7/99  >  93 - 94 - 95 - 96 - 97 - 98 - 99"),
            CheckFile::headerLines().value(3)};
}

QFont drawListFont() {
    QFont font = QApplication::font();
    font.setFamilies(listFamilies());
    font.setPointSizeF(PointSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void useDrawListFont(QPlainTextEdit& list) {
    list.document()->setDocumentMargin(TextMargin);
    QFont font = drawListFont();
    const int room = roomOf(list);
    // Lists of one width take one size: measured once a run.
    static QHash<int, double> fitted;
    if (const auto known = fitted.constFind(room); known != fitted.cend()) {
        font.setPointSizeF(*known);
    } else {
        while (!fits(font, room) && font.pointSizeF() - Step >= SmallestPointSize)
            font.setPointSizeF(font.pointSizeF() - Step);
        for (QFont larger = font; larger.pointSizeF() + Step <= LargestPointSize;) {
            larger.setPointSizeF(larger.pointSizeF() + Step);
            if (!fits(larger, room))
                break;
            font = larger;
        }
        fitted.insert(room, font.pointSizeF());
    }
    list.setFont(font);
}
