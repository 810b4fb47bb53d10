// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryRules.h"

#include "AssetAccount.h"
#include "AssetAdjustment.h"
#include "Budget.h"
#include "FixedAsset.h"
#include "LedgerCategories.h"
#include "LocalCalendar.h"
#include "Money.h"
#include "SavingsDeposit.h"
#include "SavingsGoal.h"

#include <cmath>

using namespace Qt::StringLiterals;

bool EntryRules::amountInRange(double amount)
{
    return amount >= minimumAmount && amount <= maximumAmount;
}

bool EntryRules::wholeCents(double amount)
{
    // Exact for every amount in range: a hundred times it stays far below 2^53, so the nearest
    // whole number of cents divided back gives the very double a two-decimal text reads as.
    return std::isfinite(amount) && std::nearbyint(amount * 100) / 100 == amount;
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

namespace {

QString amountProblem(const QString &what)
{
    return u"%1须在 %2 到 %3 之间"_s.arg(what, Money::text(EntryRules::minimumAmount),
                                         Money::text(EntryRules::maximumAmount));
}

QString zeroOrAmountProblem(const QString &what)
{
    return u"%1须是 0 或在 %2 到 %3 之间"_s.arg(what, Money::text(EntryRules::minimumAmount),
                                                Money::text(EntryRules::maximumAmount));
}

bool zeroOrInRange(double amount)
{
    return amount == 0 || EntryRules::amountInRange(amount);
}

// The forms trim a name before they check and store it.
bool hasName(const QString &name)
{
    return !name.trimmed().isEmpty();
}

} // namespace

std::optional<QString> EntryRules::newEntryProblem(const LedgerEntry &entry)
{
    if (const std::optional<QString> found = problem(entry))
        return found;
    if (!wholeCents(entry.amount))
        return u"金额最多两位小数"_s;
    return std::nullopt;
}

std::optional<QString> EntryRules::problem(const Budget &budget)
{
    if (!amountInRange(budget.limit))
        return amountProblem(u"预算额度"_s);
    if (!LedgerCategories::expenses().contains(budget.category))
        return u"“%1”不是支出的分类"_s.arg(budget.category);
    const DateInterval days = budget.interval();
    if (!days.start.isValid() || !days.end.isValid() || !(days.start < days.end))
        return u"预算的起止日期无效"_s;
    return std::nullopt;
}

std::optional<QString> EntryRules::problem(const SavingsGoal &goal)
{
    if (!hasName(goal.name))
        return u"存钱目标没有名称"_s;
    if (!amountInRange(goal.targetAmount))
        return amountProblem(u"目标金额"_s);
    return std::nullopt;
}

std::optional<QString> EntryRules::problem(const SavingsDeposit &deposit)
{
    if (!amountInRange(deposit.amount))
        return amountProblem(u"存入金额"_s);
    return std::nullopt;
}

std::optional<QString> EntryRules::problem(const AssetAccount &account)
{
    if (!hasName(account.name))
        return u"账户没有名称"_s;
    if (!zeroOrInRange(account.openingBalance))
        return zeroOrAmountProblem(u"初始金额"_s);
    return std::nullopt;
}

std::optional<QString> EntryRules::problem(const AssetAdjustment &adjustment)
{
    // Typed as a positive amount, stored negative when it takes from the account.
    if (!amountInRange(std::abs(adjustment.amount)))
        return amountProblem(u"变动金额"_s);
    return std::nullopt;
}

std::optional<QString> EntryRules::problem(const FixedAsset &asset)
{
    if (!hasName(asset.name))
        return u"固定资产没有名称"_s;
    if (!zeroOrInRange(asset.currentValue))
        return zeroOrAmountProblem(u"当前估值"_s);
    if (asset.usefulLifeMonths < 1)
        return u"使用寿命须至少 1 个月"_s;
    return std::nullopt;
}
