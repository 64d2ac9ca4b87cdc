#include "RulesSection.h"

#include "games/Money.h"
#include "games/RulesCheck.h"
#include "platform/ProfileFile.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

const QString Section = QStringLiteral("Rules");
// No stored value can hold a line break, so this stands for a missing key.
const QString Missing = QStringLiteral("\n");

const QStringList RuleKeys = {QStringLiteral("Extra"),      QStringLiteral("ExtraCount"),
                              QStringLiteral("ExtraRange"), QStringLiteral("Price"),
                              QStringLiteral("Jackpot"),    QStringLiteral("Tiers")};

QString extraWord(ExtraKind kind) {
    switch (kind) {
    case ExtraKind::None:
        return QStringLiteral("None");
    case ExtraKind::SameDrumBonus:
        return QStringLiteral("Bonus");
    case ExtraKind::SecondDrum:
        return QStringLiteral("SecondDrum");
    }
    return {};
}

bool parseExtraWord(const QString& word, ExtraKind* kind) {
    for (ExtraKind k : {ExtraKind::None, ExtraKind::SameDrumBonus, ExtraKind::SecondDrum}) {
        if (word.compare(extraWord(k), Qt::CaseInsensitive) == 0) {
            *kind = k;
            return true;
        }
    }
    return false;
}

// Shown in a message: short, and without control characters from a hand-edited file.
QString shown(const QString& text) {
    QString s = text.left(40);
    for (QChar& c : s)
        if (c.unicode() < 0x20)
            c = u'?';
    return s;
}

void readUpdateKeys(const ProfileFile& file, GameRules& rules) {
    rules.updateAddress = file.readString(Section, QStringLiteral("UpdateAddress"), {});
    rules.updateAtStart = file.readInt(Section, QStringLiteral("UpdateAtStart"), 0) != 0;
    rules.lastStartCheck = file.readString(Section, QStringLiteral("LastStartCheck"), {});
}

// The rules' own keys; "" or why they cannot be used.
QString readRuleKeys(const ProfileFile& file, GameRules& rules) {
    const QString extra = file.readString(Section, QStringLiteral("Extra"), Missing);
    if (extra == Missing)
        return QStringLiteral("the kind of extra numbers is not given");
    if (!parseExtraWord(extra, &rules.extra))
        return QStringLiteral("\"%1\" is not a kind of extra numbers").arg(shown(extra));
    if (rules.extra == ExtraKind::SecondDrum) {
        for (auto [key, value] : {std::pair{QStringLiteral("ExtraCount"), &rules.extraCount},
                                  std::pair{QStringLiteral("ExtraRange"), &rules.extraRange}}) {
            const QString text = file.readString(Section, key, Missing);
            if (!ProfileFile::parseInt(text, value))
                return QStringLiteral("%1 \"%2\" is not a number").arg(key, shown(text));
        }
    }
    for (auto [key, value] : {std::pair{QStringLiteral("Price"), &rules.priceCents},
                              std::pair{QStringLiteral("Jackpot"), &rules.jackpotCents}}) {
        const QString text = file.readString(Section, key, Missing);
        if (text != Missing && !text.isEmpty() && !parseMoney(text, value))
            return QStringLiteral("%1 \"%2\" is not an amount").arg(key, shown(text));
    }
    QString bad;
    if (!parseStoredTiers(file.readString(Section, QStringLiteral("Tiers"), {}), &rules.tiers,
                          &bad))
        return QStringLiteral("the prize tier \"%1\" is not understood").arg(shown(bad));
    return {};
}

} // namespace

QString storedTiersText(const GameRules& rules) {
    QStringList words;
    for (const PrizeTier& tier : rules.tiers) {
        const QString extra = rules.extra == ExtraKind::SameDrumBonus
                                  ? (tier.extraHits ? QStringLiteral("bonus") : QStringLiteral("0"))
                                  : QString::number(tier.extraHits);
        const QString prize =
            tier.jackpot ? QStringLiteral("Jackpot") : storedMoneyText(tier.prizeCents);
        words << QStringLiteral("%1+%2 %3").arg(tier.mainHits).arg(extra, prize);
    }
    return words.join(QStringLiteral("; "));
}

bool parseStoredTiers(const QString& text, QVector<PrizeTier>* tiers, QString* bad) {
    static const QRegularExpression form(
        QStringLiteral("^(\\d{1,2})\\s*\\+\\s*(\\d|bonus)\\s+(\\S+)$"),
        QRegularExpression::CaseInsensitiveOption);
    tiers->clear();
    if (text.trimmed().isEmpty())
        return true;
    const QStringList words = text.split(u';');
    if (words.size() > MaxTiers) {
        *bad = words.value(MaxTiers).trimmed();
        return false;
    }
    for (const QString& word : words) {
        const QRegularExpressionMatch match = form.match(word.trimmed());
        PrizeTier tier;
        bool ok = match.hasMatch();
        if (ok) {
            tier.mainHits = match.captured(1).toInt();
            const QString extra = match.captured(2);
            tier.extraHits =
                extra.compare(QLatin1String("bonus"), Qt::CaseInsensitive) == 0 ? 1 : extra.toInt();
            tier.jackpot =
                match.captured(3).compare(QLatin1String("Jackpot"), Qt::CaseInsensitive) == 0;
            ok = tier.jackpot || parseMoney(match.captured(3), &tier.prizeCents);
        }
        if (!ok) {
            *bad = word.trimmed();
            return false;
        }
        *tiers << tier;
    }
    return true;
}

RulesReadResult readGameRules(const QString& headerPath, int pick, bool headerBonus) {
    RulesReadResult result;
    const ProfileFile file(headerPath);
    readUpdateKeys(file, result.rules);
    bool anyRuleKey = false;
    for (const QString& key : RuleKeys)
        anyRuleKey = anyRuleKey || file.readString(Section, key, Missing) != Missing;
    if (!anyRuleKey)
        return result;
    GameRules read = result.rules;
    result.problem = readRuleKeys(file, read);
    if (result.problem.isEmpty())
        result.problem = rulesError(read, pick, headerBonus);
    if (!result.problem.isEmpty())
        return result;
    read.present = true;
    result.rules = read;
    return result;
}

QString writeGameRules(const QString& headerPath, const GameRules& rules) {
    ProfileFile file(headerPath);
    const QString failed = QStringLiteral("Unable to write to %1").arg(headerPath);
    // Rules belong to a game whose header is there: never a file of rules alone.
    if (!file.exists())
        return failed;
    const bool drum = rules.extra == ExtraKind::SecondDrum;
    file.writeString(Section, QStringLiteral("Extra"), extraWord(rules.extra));
    file.writeInt(Section, QStringLiteral("ExtraCount"), drum ? rules.extraCount : 0);
    file.writeInt(Section, QStringLiteral("ExtraRange"), drum ? rules.extraRange : 0);
    file.writeString(Section, QStringLiteral("Price"), storedMoneyText(rules.priceCents));
    file.writeString(Section, QStringLiteral("Jackpot"), storedMoneyText(rules.jackpotCents));
    file.writeString(Section, QStringLiteral("Tiers"), storedTiersText(rules));
    return file.save() ? QString() : failed;
}

QString unusableRulesText(const QString& problem) {
    return QStringLiteral("The game's rules cannot be used (%1): the game is loaded without "
                          "them.")
        .arg(problem);
}
