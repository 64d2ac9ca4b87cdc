#include "DrawListFont.h"

#include "lines/CheckFile.h"

#include <QApplication>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>

#include <cmath>

namespace {

constexpr double PointSize = 7;
constexpr double SmallestPointSize = 5;
constexpr double Step = 0.5;
constexpr int TextMargin = 2;

// One look-up, the first time a list asks: each costs start-up time. The face is in the
// fonts-dejavu-extra package; without it, the window's own face steps down to fit.
const QString& listFamily() {
    static const QString family = [] {
        const QString wanted = QStringLiteral("DejaVu Sans Condensed");
        return QFontInfo(QFont(wanted)).family() == wanted ? wanted : QString();
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
    while (!fits(font, room) && font.pointSizeF() - Step >= SmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - Step);
    list.setFont(font);
}
