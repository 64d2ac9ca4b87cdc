#include "Money.h"

#include <QRegularExpression>

namespace {

QString groupedWhole(qint64 whole) {
    QString digits = QString::number(whole);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u',');
    return digits;
}

QString withCents(qint64 cents, bool grouped) {
    const bool negative = cents < 0;
    // Magnitudes stay within MaxMoneyCents in practice; unsigned arithmetic keeps the
    // smallest qint64 from overflowing all the same.
    const quint64 magnitude = negative ? 0 - quint64(cents) : quint64(cents);
    const qint64 whole = qint64(magnitude / 100);
    const int rest = int(magnitude % 100);
    const QString wholeText = grouped ? groupedWhole(whole) : QString::number(whole);
    return (negative ? QStringLiteral("-") : QString()) + wholeText + u'.' +
           QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
}

} // namespace

QString moneyText(qint64 cents) {
    return withCents(cents, true);
}

QString prizeText(qint64 cents) {
    if (cents % 100 != 0)
        return moneyText(cents);
    return (cents < 0 ? QStringLiteral("-") : QString()) + groupedWhole(qAbs(cents / 100));
}

QString storedMoneyText(qint64 cents) {
    return withCents(cents, false);
}

bool parseMoney(const QString& text, qint64* cents) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,3}(?:,\\d{3})+|\\d+)?(?:\\.(\\d{1,2}))?$"));
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch match = form.match(trimmed);
    if (trimmed.isEmpty() || trimmed == u'.' || !match.hasMatch())
        return false;
    QString whole = match.captured(1);
    whole.remove(u',');
    // Leading zeros aside, more digits than the bound has cannot fit.
    while (whole.size() > 1 && whole.startsWith(u'0'))
        whole.remove(0, 1);
    if (whole.size() > 13)
        return false;
    QString fraction = match.captured(2);
    if (fraction.size() == 1)
        fraction += u'0';
    const qint64 value = whole.toLongLong() * 100 + fraction.toLongLong();
    if (value > MaxMoneyCents)
        return false;
    *cents = value;
    return true;
}
