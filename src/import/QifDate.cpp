// SPDX-License-Identifier: GPL-3.0-or-later
#include "QifDate.h"

#include <QRegularExpression>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Two numbers and a year, with "/" or "-" between them, or "'" before a year of 2000 or later;
// blanks may pad each number ("3/ 5' 4").
const QRegularExpression &slashedPattern()
{
    static const QRegularExpression pattern(
        uR"(^(\d{1,2})\s*[/-]\s*(\d{1,2})\s*(?:'\s*(\d{1,4})|[/-]\s*(\d{2}|\d{4}))$)"_s);
    return pattern;
}

const QRegularExpression &dottedPattern()
{
    static const QRegularExpression pattern(uR"(^(\d{1,2})\.(\d{1,2})\.(\d{2}|\d{4})$)"_s);
    return pattern;
}

const QRegularExpression &yearFirstPattern()
{
    static const QRegularExpression pattern(uR"(^(\d{4})[-/.](\d{1,2})[-/.](\d{1,2})$)"_s);
    return pattern;
}

// A two-digit year without an apostrophe is of the last century from 70 on, as the older
// exports wrote it, and of this one below.
int fullYear(const QString &digits, bool apostrophe)
{
    const int year = digits.toInt();
    if (digits.size() == 4)
        return year;
    if (apostrophe)
        return 2000 + year;
    return year >= 70 ? 1900 + year : 2000 + year;
}

struct Slashed {
    int first = 0;
    int second = 0;
    int year = 0;
};

std::optional<Slashed> slashed(const QString &text)
{
    const QRegularExpressionMatch match = slashedPattern().match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    const bool apostrophe = match.hasCaptured(3);
    return Slashed{match.captured(1).toInt(), match.captured(2).toInt(),
                   fullYear(apostrophe ? match.captured(3) : match.captured(4), apostrophe)};
}

} // namespace

ImportDateOrder QifDate::orderOf(const QStringList &dates, bool *ambiguous)
{
    bool dayFirst = false;
    bool monthFirst = false;
    bool differs = false;
    for (const QString &text : dates) {
        const std::optional<Slashed> date = slashed(text);
        if (!date)
            continue;
        dayFirst = dayFirst || (date->first > 12 && date->second <= 12);
        monthFirst = monthFirst || (date->second > 12 && date->first <= 12);
        differs = differs || date->first != date->second;
    }
    *ambiguous = !dayFirst && !monthFirst && differs;
    // A file that proves both orders is damaged; month first, and the dates that disagree
    // become errors of their lines.
    return dayFirst && !monthFirst ? ImportDateOrder::dayFirst : ImportDateOrder::monthFirst;
}

QDate QifDate::parse(const QString &text, ImportDateOrder order)
{
    if (const std::optional<Slashed> date = slashed(text)) {
        if (order == ImportDateOrder::dayFirst)
            return QDate(date->year, date->second, date->first);
        return QDate(date->year, date->first, date->second);
    }
    const QString trimmed = text.trimmed();
    if (const QRegularExpressionMatch match = dottedPattern().match(trimmed); match.hasMatch())
        return QDate(fullYear(match.captured(3), false), match.captured(2).toInt(),
                     match.captured(1).toInt());
    if (const QRegularExpressionMatch match = yearFirstPattern().match(trimmed); match.hasMatch())
        return QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    return {};
}
