// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportResult.h"

#include <algorithm>

using namespace Qt::StringLiterals;

int ImportResult::skippedFor(ImportSkipReason reason) const
{
    return static_cast<int>(std::count_if(
        skipped.begin(), skipped.end(), [reason](const ImportSkip &skip) { return skip.reason == reason; }));
}

QString ImportResult::reasonText(ImportSkipReason reason)
{
    switch (reason) {
    case ImportSkipReason::neutral:
        return u"不计收支"_s;
    case ImportSkipReason::failedOrClosed:
        return u"交易失败或已关闭"_s;
    case ImportSkipReason::refunded:
        return u"已全额退款"_s;
    case ImportSkipReason::refundOfRefunded:
        return u"退款，原交易已全额退款"_s;
    case ImportSkipReason::refundNetted:
        return u"退款，已从原交易中扣除"_s;
    case ImportSkipReason::summary:
        return u"合计或余额行"_s;
    case ImportSkipReason::remark:
        return u"说明文字，不是账目"_s;
    case ImportSkipReason::foreignCurrency:
        return u"外币"_s;
    }
    return {};
}

const std::vector<ImportSkipReason> &ImportResult::reasons()
{
    static const std::vector<ImportSkipReason> all{
        ImportSkipReason::neutral,          ImportSkipReason::failedOrClosed, ImportSkipReason::refunded,
        ImportSkipReason::refundOfRefunded, ImportSkipReason::refundNetted,   ImportSkipReason::summary,
        ImportSkipReason::remark,           ImportSkipReason::foreignCurrency};
    return all;
}

QString ImportSkip::text() const
{
    const QString reasonText = ImportResult::reasonText(reason);
    return detail.isEmpty() ? reasonText : u"%1：%2"_s.arg(reasonText, detail);
}

std::vector<std::pair<QString, int>> ImportResult::skippedByText() const
{
    std::vector<std::pair<QString, int>> counts;
    for (const ImportSkipReason reason : reasons()) {
        for (const ImportSkip &skip : skipped) {
            if (skip.reason != reason)
                continue;
            const QString text = skip.text();
            const auto known =
                std::find_if(counts.begin(), counts.end(),
                             [&](const std::pair<QString, int> &count) { return count.first == text; });
            if (known == counts.end())
                counts.emplace_back(text, 1);
            else
                ++known->second;
        }
    }
    return counts;
}
