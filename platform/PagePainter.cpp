#include "PagePainter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

using namespace PageLayout;

namespace {

constexpr double MmPerInch = 25.4;
constexpr double ScreenDotsPerInch = 96;
constexpr double InchesPerMetre = 39.3701;
constexpr double VerdictPoints = 9;
constexpr double RulePoints = 0.5;

// The page between the margins: the header and footer bands and the content between them.
struct Frame {
    QRectF header;
    QRectF footer;
    QRectF content;
};

double mm(const QPaintDevice& device, double millimetres) {
    return millimetres / MmPerInch * device.logicalDpiY();
}

QFont sized(const QFont& base, double points, bool bold = false) {
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

Frame frameOf(const QPaintDevice& device, const QFont& base) {
    const QRectF page(0, 0, device.width(), device.height());
    const double band = QFontMetricsF(sized(base, HeaderPoints), &device).height();
    const double gap = mm(device, RuleGapMm);
    Frame frame;
    frame.header = QRectF(page.left(), page.top(), page.width(), band);
    frame.footer = QRectF(page.left(), page.bottom() - band, page.width(), band);
    frame.content = page.adjusted(0, band + gap, 0, -(band + gap));
    return frame;
}

// The header line (program, game, date) over a rule, and the rule under the content with
// "Page x of y" beneath it.
void paintFrame(QPainter& painter, const Frame& frame, const QString& game, const QString& date,
                int page, int pages) {
    const double rule = mm(*painter.device(), RuleGapMm) / 2;
    painter.save();
    painter.setFont(sized(painter.font(), HeaderPoints));
    painter.setPen(QPen(Qt::black, RulePoints / 72 * painter.device()->logicalDpiY()));
    painter.drawText(frame.header, Qt::AlignLeft | Qt::AlignVCenter, programName());
    painter.drawText(frame.header, Qt::AlignHCenter | Qt::AlignVCenter, game);
    painter.drawText(frame.header, Qt::AlignRight | Qt::AlignVCenter, date);
    painter.drawText(frame.footer, Qt::AlignHCenter | Qt::AlignVCenter, footerText(page, pages));
    const double top = frame.header.bottom() + rule;
    const double bottom = frame.footer.top() - rule;
    painter.drawLine(QPointF(frame.header.left(), top), QPointF(frame.header.right(), top));
    painter.drawLine(QPointF(frame.footer.left(), bottom), QPointF(frame.footer.right(), bottom));
    painter.restore();
}

// Rows no wider than `width`, broken between words; a single word wider than that stays whole.
QStringList wrapped(const QStringList& texts, const QFontMetricsF& metrics, double width) {
    QStringList rows;
    for (const QString& text : texts) {
        if (metrics.horizontalAdvance(text) <= width) {
            rows << text;
            continue;
        }
        QString row;
        for (const QString& word : text.split(u' ')) {
            const QString longer = row.isEmpty() ? word : row + u' ' + word;
            if (!row.isEmpty() && metrics.horizontalAdvance(longer) > width) {
                rows << row;
                row = word;
            } else {
                row = longer;
            }
        }
        rows << row;
    }
    return rows;
}

// Paints pages one after another, each with its frame, as the items placed on them come.
class PageRun {
public:
    PageRun(QPainter& painter, QPagedPaintDevice& device, const Frame& frame, const QString& game,
            const QString& date, int pages)
        : painter_(painter), device_(device), frame_(frame), game_(game), date_(date),
          pages_(pages) {
        paintFrame(painter_, frame_, game_, date_, 1, pages_);
    }
    void goTo(int page) {
        while (current_ < page && current_ + 1 < pages_) {
            device_.newPage();
            ++current_;
            paintFrame(painter_, frame_, game_, date_, current_ + 1, pages_);
        }
    }

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    const Frame& frame_;
    const QString& game_;
    const QString& date_;
    const int pages_;
    int current_ = 0;
};

// One row of coloured squares with their names, centred in `area`; its height.
double paintLegend(QPainter& painter, const QRectF& area, const QVector<LegendEntry>& legend) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double square = metrics.ascent() * 0.8;
    const double spacing = metrics.horizontalAdvance(QStringLiteral("    "));
    const double inner = metrics.horizontalAdvance(u' ');
    double total = 0;
    for (const LegendEntry& entry : legend)
        total += square + inner + metrics.horizontalAdvance(entry.name) + spacing;
    total -= spacing;
    double x = area.left() + (area.width() - total) / 2;
    const double baseline = area.top() + metrics.ascent();
    for (const LegendEntry& entry : legend) {
        painter.fillRect(QRectF(x, baseline - square, square, square), QColor::fromRgb(entry.rgb));
        painter.drawRect(QRectF(x, baseline - square, square, square));
        x += square + inner;
        painter.drawText(QPointF(x, baseline), entry.name);
        x += metrics.horizontalAdvance(entry.name) + spacing;
    }
    return metrics.height();
}

} // namespace

namespace PagePainter {

QPageLayout filePageLayout(QPageLayout::Orientation orientation) {
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), orientation,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

bool paintText(QPagedPaintDevice& device, const TextPage& page) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setPen(Qt::black);
    const Frame frame = frameOf(device, painter.font());
    const QFont body = sized(painter.font(), ListPoints);
    const QFontMetricsF metrics(body, &device);
    const QStringList intro = wrapped(page.intro, metrics, frame.content.width());
    double widest = 0;
    for (const QString& line : page.lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    ColumnInput input;
    input.width = frame.content.width();
    input.height = frame.content.height();
    input.lineHeight = metrics.lineSpacing();
    input.lineWidth = widest;
    input.gap = mm(device, ColumnGapMm);
    input.introRows = int(intro.size());
    input.lineCount = int(page.lines.size());
    const ColumnLayout layout = layColumns(input);
    const double columnWidth = (input.width - input.gap * (layout.columns - 1)) / layout.columns;

    PageRun run(painter, device, frame, page.game, page.date, layout.pages);
    painter.setFont(body);
    const auto rowTop = [&](int row) { return frame.content.top() + row * input.lineHeight; };
    for (int i = 0; i < intro.size(); ++i) {
        const LinePlace place = placeOfIntroRow(layout, i);
        run.goTo(place.page);
        painter.drawText(QPointF(frame.content.left(), rowTop(place.row) + metrics.ascent()),
                         metrics.elidedText(intro[i], Qt::ElideRight, input.width));
    }
    for (int i = 0; i < page.lines.size(); ++i) {
        const LinePlace place = placeOfLine(layout, input.introRows, i);
        run.goTo(place.page);
        const double x = frame.content.left() + place.column * (columnWidth + input.gap);
        painter.drawText(QPointF(x, rowTop(place.row) + metrics.ascent()),
                         metrics.elidedText(page.lines[i], Qt::ElideRight, columnWidth));
    }
    run.goTo(layout.pages - 1);
    painter.end();
    return true;
}

bool paintChart(QPagedPaintDevice& device, const ChartPage& page) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setPen(Qt::black);
    const Frame frame = frameOf(device, painter.font());
    paintFrame(painter, frame, page.game, page.date, 1, 1);
    const QFont base = painter.font();
    const double gap = mm(device, RuleGapMm);
    QRectF room = frame.content;

    painter.setFont(sized(base, TitlePoints, true));
    painter.drawText(room, Qt::AlignHCenter | Qt::AlignTop, page.title);
    room.setTop(room.top() + QFontMetricsF(painter.font(), &device).lineSpacing());
    painter.setFont(sized(base, ListPoints));
    if (!page.subtitle.isEmpty()) {
        painter.drawText(room, Qt::AlignHCenter | Qt::AlignTop, page.subtitle);
        room.setTop(room.top() + QFontMetricsF(painter.font(), &device).lineSpacing());
    }
    if (!page.legend.isEmpty())
        room.setTop(room.top() + gap / 2 +
                    paintLegend(painter, room.adjusted(0, gap / 2, 0, 0), page.legend));
    if (!page.verdict.isEmpty()) {
        painter.setFont(sized(base, VerdictPoints));
        const int flags = Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap;
        const double height = painter.boundingRect(room, flags, page.verdict).height();
        painter.drawText(room, flags, page.verdict);
        room.setBottom(room.bottom() - height - gap);
    }
    room.setTop(room.top() + gap);
    if (page.render) {
        const ChartPlacement placement = placeChart(page.screenSize, room);
        if (!placement.target.isEmpty())
            page.render(painter, placement.target, placement.layoutSize, false);
    }
    painter.end();
    return true;
}

QByteArray chartPng(const ChartPage& page) {
    const QSizeF screen = page.screenSize;
    if (screen.isEmpty() || !page.render)
        return {};
    QImage image((screen * 2).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(2 * ScreenDotsPerInch * InchesPerMetre);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        page.render(painter, QRectF(QPointF(0, 0), screen * 2), screen, true);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? buffer.data() : QByteArray();
}

QByteArray chartSvg(const ChartPage& page) {
    const QSizeF screen = page.screenSize;
    if (screen.isEmpty() || !page.render)
        return {};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(int(ScreenDotsPerInch));
    svg.setSize(screen.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), screen));
    svg.setTitle(page.title);
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    painter.fillRect(QRectF(QPointF(0, 0), screen), Qt::white);
    page.render(painter, QRectF(QPointF(0, 0), screen), screen, true);
    painter.end();
    return buffer.data();
}

} // namespace PagePainter
