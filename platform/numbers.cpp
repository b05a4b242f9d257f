// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numbers.h"

#include "core/number_text.h"

#include <QLocale>

#include <cfloat>
#include <cmath>

namespace tallyra {
namespace {

std::string DecimalSeparator()
{
    return QLocale().decimalPoint().toStdString();
}

} // namespace

QString FoldFullWidth(const QString& text)
{
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            c = QLatin1Char(' ');
    }
    return folded;
}

std::optional<double> ReadDouble(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale().toDouble(FoldFullWidth(text), &ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > double(FLT_MAX))
        return std::nullopt;
    return value;
}

std::optional<float> ReadSingle(const QString& text)
{
    const auto value = ReadDouble(text);
    if (!value)
        return std::nullopt;
    return static_cast<float>(*value); // in range: checked by ReadDouble
}

bool IsNumeric(const QString& text)
{
    return ReadDouble(text).has_value();
}

QString SingleText(float value)
{
    return QString::fromStdString(SingleToText(value, DecimalSeparator()));
}

QString DoubleText(double value)
{
    return QString::fromStdString(DoubleToText(value, DecimalSeparator()));
}

QString TwoDecimalCutText(double value)
{
    return QString::fromStdString(TwoDecimalCut(value, DecimalSeparator()));
}

} // namespace tallyra
