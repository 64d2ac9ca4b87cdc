#include "advanced/ListOddsLabel.h"

#include "advanced/ExpectedHits.h"
#include "advanced/ListOdds.h"
#include "games/TierOdds.h"
#include "wheels/WheelPrizes.h"

#include <QFontInfo>
#include <QLabel>
#include <algorithm>

namespace {

constexpr int PollMs = 50;
constexpr qreal SmallestPointSize = 5;
const char* const NarrowFaces[] = {"Liberation Sans Narrow", "DejaVu Sans Condensed"};

bool fits(const QLabel* label) {
    return label->sizeHint().width() <= label->width();
}

// The window's face; else a narrow face of its size; else a step smaller until it fits.
void fitOneLine(QLabel* label) {
    const QWidget* parent = label->parentWidget();
    const QFont normal = parent ? parent->font() : QFont();
    label->setFont(normal);
    if (fits(label))
        return;
    QFont face = normal;
    for (const char* family : NarrowFaces) {
        QFont narrow(QString::fromLatin1(family), normal.pointSize());
        if (QFontInfo(narrow).family() == narrow.family()) {
            face = narrow;
            break;
        }
    }
    qreal size = normal.pointSizeF() > 0 ? normal.pointSizeF() : 8;
    for (; size >= SmallestPointSize; size -= 0.5) {
        face.setPointSizeF(size);
        label->setFont(face);
        if (fits(label))
            return;
    }
}

} // namespace

ListOddsLabel::ListOddsLabel(QLabel* label) : label_(label) {
    label_->setWordWrap(false);
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &ListOddsLabel::poll);
}

// The chance that any of the list's lines wins a prize. Without a second drum it follows from
// the set odds exactly. With one, each line carries extra numbers of its own, drawn at random:
// the chance lies between one line's and the sum of every line's.
static PrizeChance listPrizeChance(const GameRules& rules, int pick, int highest, int lines,
                                   const SetOdds& odds) {
    if (!rules.hasSecondDrum())
        return AnyPrizeChance(rules, pick, odds, {}, false, {});
    const double one = tierChances(pick, highest, rules).anyPrize;
    PrizeChance chance;
    chance.low = one;
    chance.high = std::min(1.0, one * lines);
    return chance;
}

ListOddsLabel::~ListOddsLabel() = default;

void ListOddsLabel::show(const QVector<QVector<int>>& lines, int lineSize, int highest,
                         const GameRules& rules) {
    job_.reset(); // a list that grew makes the old figures wrong
    rules_ = rules;
    highest_ = highest;
    if (lines.isEmpty()) {
        clear();
        return;
    }
    label_->setToolTip(expectedHitsText(quint64(lines.size()), lineSize, highest));
    setText(listOddsWorkingText(int(lines.size())));
    job_ = std::make_unique<ListOddsJob>(lines, lineSize, highest);
    poll_.start();
}

void ListOddsLabel::clear() {
    poll_.stop();
    job_.reset();
    label_->clear();
    label_->setToolTip(QString());
}

void ListOddsLabel::stop() {
    poll_.stop();
    job_.reset();
}

void ListOddsLabel::poll() {
    if (!job_ || !job_->finished())
        return;
    poll_.stop();
    const std::unique_ptr<ListOddsJob> job = std::move(job_);
    const SetOdds& odds = job->odds();
    if (!odds.problem.isEmpty() || odds.cancelled) {
        setText(QString());
        return;
    }
    QStringList parts{listOddsText(odds, job->lineCount(), job->lineSize())};
    if (rules_.present)
        parts << PrizeRows(rules_, job->lineSize(), highest_, job->lineCount(),
                           listPrizeChance(rules_, job->lineSize(), highest_, job->lineCount(), odds));
    setText(parts.join(QStringLiteral(" · ")));
}

void ListOddsLabel::setText(const QString& text) {
    label_->setText(text);
    fitOneLine(label_);
}
