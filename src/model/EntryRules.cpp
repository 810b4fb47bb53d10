// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryRules.h"

#include "LedgerCategories.h"
#include "Money.h"

#include <cmath>

using namespace Qt::StringLiterals;

bool EntryRules::amountInRange(double amount)
{
    return amount >= minimumAmount && amount <= maximumAmount;
}

bool EntryRules::dateInRange(qint64 msecsSinceEpoch)
{
    return msecsSinceEpoch >= earliestDate && msecsSinceEpoch <= latestDate;
}

bool EntryRules::dateInRange(const QDateTime &date)
{
    return date.isValid() && dateInRange(date.toMSecsSinceEpoch());
}

bool EntryRules::textInRange(const QString &text)
{
    return text.size() <= maximumTextLength;
}

std::optional<QString> EntryRules::problem(const LedgerEntry &entry)
{
    if (!amountInRange(entry.amount))
        return u"金额须在 %1 到 %2 之间"_s.arg(Money::text(minimumAmount), Money::text(maximumAmount));
    const std::optional<EntryKind> kind = EntryKinds::fromRaw(entry.kindRaw);
    if (!kind)
        return u"类型须是“支出”或“收入”"_s;
    if (!LedgerCategories::forKind(*kind).contains(entry.category))
        return u"“%1”不是%2的分类"_s.arg(entry.category, entry.kindRaw);
    if (!dateInRange(entry.date))
        return u"日期须在公元 1 年到 9999 年之间"_s;
    if (!textInRange(entry.note))
        return u"备注不能超过 %1 个字"_s.arg(maximumTextLength);
    return std::nullopt;
}
