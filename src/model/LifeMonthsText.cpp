// SPDX-License-Identifier: GPL-3.0-or-later
#include "LifeMonthsText.h"

#include <charconv>
#include <system_error>

std::optional<qint64> LifeMonthsText::parse(const QString &text)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    // Digits only, checked on UTF-16 units so no other script's digits or blanks slip in.
    QByteArray digits;
    digits.reserve(text.size() - i + 1);
    if (negative)
        digits.append('-');
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        digits.append(static_cast<char>(c));
    }
    // from_chars reports a value out of range instead of wrapping or saturating.
    qint64 value = 0;
    const char *end = digits.constData() + digits.size();
    const auto [stop, error] = std::from_chars(digits.constData(), end, value, 10);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<qint64> LifeMonthsText::valid(const QString &text)
{
    const auto months = parse(text);
    if (!months || *months < 1)
        return std::nullopt;
    return months;
}
