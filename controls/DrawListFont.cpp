#include "DrawListFont.h"

#include "lines/CheckFile.h"

#include <QApplication>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>

#include <cmath>

namespace {

constexpr double PointSize = 8; // the face's size before it is fitted to a list
constexpr double LargestPointSize = 12;
constexpr double SmallestPointSize = 5;
constexpr double Step = 0.5;
constexpr int TextMargin = 2;

// One look-up, the first time a list asks: each costs start-up time. The narrow face is in the
// fonts-liberation package, the condensed one in fonts-dejavu-extra; without either, the
// window's own face is fitted to the lists.
const QString& listFamily() {
    static const QString family = [] {
        for (const char* wanted : {"Liberation Sans Narrow", "DejaVu Sans Condensed"}) {
            const QString name = QString::fromLatin1(wanted);
            if (QFontInfo(QFont(name)).family() == name)
                return name;
        }
        return QString();
    }();
    return family;
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
    QFont font = listFamily().isEmpty() ? QApplication::font() : QFont(listFamily());
    font.setPointSizeF(PointSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void useDrawListFont(QPlainTextEdit& list) {
    list.document()->setDocumentMargin(TextMargin);
    QFont font = drawListFont();
    const int room = roomOf(list);
    // Widths grow about in proportion to the size: start from the size the first measure
    // foretells, then step to the largest that fits.
    double widest = 0;
    const QFontMetricsF metrics(font);
    for (const QString& line : widestDrawListLines())
        widest = qMax(widest, metrics.horizontalAdvance(line));
    double size = widest > 0 ? std::floor(PointSize * room / widest / Step) * Step : PointSize;
    size = qBound(SmallestPointSize, size, LargestPointSize);
    font.setPointSizeF(size);
    while (!fits(font, room) && font.pointSizeF() - Step >= SmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - Step);
    for (QFont larger = font; larger.pointSizeF() + Step <= LargestPointSize;) {
        larger.setPointSizeF(larger.pointSizeF() + Step);
        if (!fits(larger, room))
            break;
        font = larger;
    }
    list.setFont(font);
}
