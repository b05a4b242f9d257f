// SPDX-License-Identifier: GPL-3.0-or-later
#include "year/amount_text.h"

#include "law/ten_thousands.h"
#include "platform/numbers.h"

namespace tallyra::year {

using law::Money;

namespace {

// Full-width forms (typed with a Chinese input method) as ASCII, the ideographic full stop as a
// stop; blanks and grouping commas dropped.
QString Normalized(const QString& text)
{
    QString out;
    for (const QChar c : FoldFullWidth(text.trimmed())) {
        if (c == u'。')
            out += QLatin1Char('.');
        else if (c == QLatin1Char(',') || c.isSpace())
            continue;
        else
            out += c;
    }
    return out;
}

// Digits with one full stop and more than two digits after it: a figure, but finer than a fen
// (or a hundredth of a percent).
bool TooManyDecimals(const QString& plain)
{
    const int stop = plain.indexOf(QLatin1Char('.'));
    if (stop < 0 || plain.count(QLatin1Char('.')) != 1 || plain.size() - stop - 1 <= 2)
        return false;
    for (const QChar c : plain)
        if (!c.isDigit() && c != QLatin1Char('.'))
            return false;
    return true;
}

// "1.8万" as "18000", "1.23456万" as "12345.6": the figure in 万 with its full stop moved four
// places, so that the reading that follows checks decimals and range as for yuan. Any other text
// is returned as it is; a "万" that is not the last character or has no figure before it is left
// for that reading to refuse.
QString FromTenThousands(const QString& plain)
{
    static const QChar tenThousand = QChar(u'万');
    if (plain.size() < 2 || !plain.endsWith(tenThousand) || plain.count(tenThousand) != 1)
        return plain;
    QString figure = plain.chopped(1);
    if (figure.count(QLatin1Char('.')) > 1)
        return plain;
    const int stop = figure.indexOf(QLatin1Char('.'));
    QString whole = stop < 0 ? figure : figure.left(stop);
    QString decimals = stop < 0 ? QString() : figure.mid(stop + 1);
    if (whole.isEmpty() && decimals.isEmpty())
        return plain;
    decimals = decimals.leftJustified(4, QLatin1Char('0'));
    whole += decimals.left(4);
    const QString rest = decimals.mid(4);
    return rest.isEmpty() ? whole : whole + QLatin1Char('.') + rest;
}

law::ParsedMoney Parse(const QString& plain)
{
    const QByteArray ascii = plain.toLatin1();
    return law::ParseMoney({ascii.constData(), size_t(ascii.size())});
}

QString Grouped(std::int64_t whole)
{
    QString digits = QString::number(whole);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

} // namespace

QString PlainAmount(Money amount)
{
    return QString::fromStdString(amount.toString());
}

QString GroupedAmount(Money amount)
{
    const std::int64_t fen = amount.fen();
    // The magnitude of the most negative count still fits once split into yuan and fen.
    const std::int64_t yuan = fen / 100;
    const int cents = int(fen % 100);
    const QString sign = fen < 0 ? QStringLiteral("-") : QString();
    return sign + Grouped(yuan < 0 ? -yuan : yuan) + QLatin1Char('.') +
           QStringLiteral("%1").arg(cents < 0 ? -cents : cents, 2, 10, QLatin1Char('0'));
}

QString RateText(int basisPoints)
{
    QString text = QString::number(basisPoints / 100);
    if (const int rest = basisPoints % 100; rest != 0) {
        text += QLatin1Char('.') + QStringLiteral("%1").arg(rest, 2, 10, QLatin1Char('0'));
        if (text.endsWith(QLatin1Char('0')))
            text.chop(1);
    }
    return text;
}

namespace {

AmountReading Read(const QString& text, std::optional<Money> empty, bool tenThousands)
{
    const QString plain = tenThousands ? FromTenThousands(Normalized(text)) : Normalized(text);
    if (plain.isEmpty()) {
        if (empty)
            return {empty, {}};
        return {std::nullopt, QStringLiteral("请填写金额")};
    }
    if (plain.startsWith(QLatin1Char('-')))
        return {std::nullopt, QStringLiteral("金额不能为负数")};
    if (TooManyDecimals(plain))
        return {std::nullopt, QStringLiteral("金额最多两位小数（到分）")};
    const law::ParsedMoney parsed = Parse(plain);
    if (parsed.error == law::MoneyTextError::TooLarge ||
        (parsed.ok() && parsed.value > kLargestAmount))
        return {std::nullopt, QStringLiteral("金额过大，最多 100 亿元")};
    if (!parsed.ok())
        return {std::nullopt,
                QStringLiteral("“%1”不是金额，请输入数字，如 25000、25000.50 或 2.5万")
                    .arg(text.trimmed())};
    return {parsed.value, {}};
}

} // namespace

AmountReading ReadAmount(const QString& text, std::optional<Money> empty)
{
    return Read(text, empty, true);
}

AmountReading ReadStoredAmount(const QString& text)
{
    return Read(text, std::nullopt, false);
}

RateReading ReadRate(const QString& text, int lowest, int highest, bool alsoZero)
{
    QString plain = Normalized(text);
    if (plain.endsWith(QLatin1Char('%')))
        plain.chop(1);
    const QString range =
        QStringLiteral("比例应在 %1% 到 %2% 之间").arg(RateText(lowest), RateText(highest)) +
        (alsoZero ? QStringLiteral("，不缴存填 0") : QString());
    if (plain.isEmpty())
        return {std::nullopt, QStringLiteral("请填写比例")};
    if (plain.startsWith(QLatin1Char('-')))
        return {std::nullopt, range};
    if (TooManyDecimals(plain))
        return {std::nullopt, QStringLiteral("比例最多两位小数")};
    const law::ParsedMoney parsed = Parse(plain);
    if (!parsed.ok())
        return {
            std::nullopt,
            parsed.error == law::MoneyTextError::TooLarge
                ? range
                : QStringLiteral("“%1”不是百分比，请输入如 8 或 0.5 的数字").arg(text.trimmed())};
    // Read as an amount, "8.5" is 850 fen: exactly the rate in basis points.
    const std::int64_t points = parsed.value.fen();
    if ((points == 0 && alsoZero) || (points >= lowest && points <= highest))
        return {int(points), {}};
    return {std::nullopt, range};
}

QString TypedAmount(law::Money amount)
{
    QString text = PlainAmount(amount);
    if (text.endsWith(QStringLiteral(".00")))
        text.chop(3);
    else if (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    return text;
}

QString ShortAmount(law::Money amount)
{
    const QString text = GroupedAmount(amount);
    return amount.fen() % 100 == 0 ? text.chopped(3) : text;
}

QString TenThousandYuanText(law::Money amount)
{
    return QString::fromStdString(law::TenThousandYuan(amount));
}

} // namespace tallyra::year
