// SPDX-License-Identifier: GPL-3.0-or-later
#include "AmountText.h"

#include "EntryRules.h"

#include <charconv>
#include <system_error>

namespace {

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Checks the shape digits [. digits] [(e|E) [+|-] digits] with a digit somewhere in the
// mantissa. Only ASCII can pass, so the text may then be narrowed byte by byte.
bool hasDecimalShape(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    qsizetype mantissaDigits = 0;
    while (i < n && isAsciiDigit(text[i].unicode())) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isAsciiDigit(text[i].unicode())) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isAsciiDigit(text[i].unicode())) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

std::optional<double> AmountText::parse(const QString &text)
{
    if (!hasDecimalShape(text))
        return std::nullopt;
    const QByteArray ascii = text.toLatin1();
    const char *begin = ascii.constData();
    const char *end = begin + ascii.size();
    double value = 0;
    // from_chars ignores the C locale, so a decimal comma locale cannot change the result.
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<double> AmountText::positive(const QString &text)
{
    const auto value = parse(text);
    if (!value || !EntryRules::amountInRange(*value) || !EntryRules::wholeCents(*value))
        return std::nullopt;
    return value;
}

std::optional<double> AmountText::nonNegative(const QString &text)
{
    const auto value = parse(text);
    if (!value || !(*value == 0 || EntryRules::amountInRange(*value)) || !EntryRules::wholeCents(*value))
        return std::nullopt;
    return value;
}
