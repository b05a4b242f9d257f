// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric test and number reading on arbitrary text, read as UTF-8 and as UTF-16, under
// the Chinese, German and C locales. Nothing may crash; the test and both readings agree; a
// text that passes gives a finite value within the single range; blanks around a number, the
// full-width forms of its characters and digit-group separators in its whole part read the
// same value; and the program's own number text of a value read passes the test again.
#include "platform/numbers.h"

#include <QLocale>
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace tallyra;

namespace {

[[noreturn]] void fail(const char* what, const QString& text)
{
    std::fprintf(stderr, "%s\nlocale %s, text (UTF-16 units):", what, qPrintable(QLocale().name()));
    for (const QChar c : text)
        std::fprintf(stderr, " %04x", unsigned(c.unicode()));
    std::fprintf(stderr, "\n");
    std::abort();
}

bool IsBlank(QChar c)
{
    return c.isSpace() || c.unicode() == 0x3000;
}

// Printable ASCII (blank included): the characters that have a full-width twin.
bool IsPrintableAscii(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

// The text as a Chinese input method in full-width mode types it; `every` 1 converts all
// characters, 2 every other one.
QString FullWidth(const QString& text, int every)
{
    QString wide = text;
    for (qsizetype i = 0; i < wide.size(); i += every) {
        const char16_t u = wide[i].unicode();
        wide[i] = u == u' ' ? QChar(char16_t(0x3000)) : QChar(char16_t(u + 0xFEE0));
    }
    return wide;
}

// The text with the locale's digit-group separators put into its whole-number digits, or an
// empty text when it has no run of four digits or more after its blanks and sign to group.
QString WithGroupSeparators(const QString& text)
{
    const QString group = QLocale().groupSeparator();
    if (text.contains(group))
        return {};
    qsizetype start = 0;
    while (start < text.size() &&
           (text[start] == u' ' || text[start] == u'+' || text[start] == u'-'))
        ++start;
    qsizetype end = start;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9')
        ++end;
    if (end - start < 4)
        return {};
    QString grouped = text;
    for (qsizetype i = end - 3; i > start; i -= 3)
        grouped.insert(i, group);
    return grouped;
}

void ExpectSameValue(const char* what, const QString& variant, double value)
{
    const auto read = ReadDouble(variant);
    if (!read || *read != value)
        fail(what, variant);
}

void Check(const QString& text)
{
    const bool numeric = IsNumeric(text);
    const auto single = ReadSingle(text);
    const auto wide = ReadDouble(text);
    if (single.has_value() != numeric || wide.has_value() != numeric)
        fail("the numeric test and the readings disagree", text);

    bool allBlank = true;
    for (const QChar c : text)
        allBlank = allBlank && IsBlank(c);
    if (allBlank && numeric)
        fail("an empty or blank text passes", text);
    if (!numeric)
        return;

    if (!std::isfinite(*wide) || std::fabs(*wide) > double(FLT_MAX))
        fail("a passing text reads beyond the single range", text);
    if (!std::isfinite(*single) || *single != static_cast<float>(*wide))
        fail("the single is not the nearest single of the double", text);

    ExpectSameValue("blanks around change the value", QStringLiteral("  ") + text + u' ', *wide);
    ExpectSameValue("an ideographic space changes the value",
                    QChar(char16_t(0x3000)) + text + QChar(char16_t(0x3000)), *wide);
    if (IsPrintableAscii(text)) {
        ExpectSameValue("the full-width form reads another value", FullWidth(text, 1), *wide);
        ExpectSameValue("a half full-width form reads another value", FullWidth(text, 2), *wide);
        const QString grouped = WithGroupSeparators(text);
        if (!grouped.isEmpty())
            ExpectSameValue("group separators change the value", grouped, *wide);
    }

    // What the program writes of a value it read must pass the test when read back.
    if (!IsNumeric(SingleText(*single)))
        fail("the single text of the value does not pass", text);
}

const QLocale kLocales[] = {
    QLocale(QLocale::Chinese, QLocale::China),
    QLocale(QLocale::German, QLocale::Germany),
    QLocale::c(),
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    const QString texts[] = {
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)),
        QString::fromUtf16(units.data(), qsizetype(units.size())),
    };
    for (const QLocale& locale : kLocales) {
        QLocale::setDefault(locale);
        for (const QString& text : texts)
            Check(text);
    }
    return 0;
}
