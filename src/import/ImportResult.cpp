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
    }
    return {};
}
