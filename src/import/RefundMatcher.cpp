// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefundMatcher.h"

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// The goods a refund names, without the service's 「退款-」 in front.
QString refundedGoods(const QString &merchandise)
{
    QString goods = merchandise;
    for (const QStringView word : {u"退款-", u"退款：", u"退款:", u"退款"}) {
        if (goods.startsWith(word)) {
            goods = goods.sliced(word.size()).trimmed();
            break;
        }
    }
    return goods;
}

// Ids long enough to be a transaction's own, not a shared placeholder.
constexpr qsizetype shortestPrefixId = 6;

} // namespace

void RefundMatcher::addImported(size_t row, const ImportRow &purchase, qint64 credit)
{
    m_purchases.push_back({row, purchase.line, purchase.transactionId, purchase.counterparty,
                           purchase.merchandise, purchase.time, purchase.cents, credit});
}

void RefundMatcher::addRefunded(int line, const QString &transactionId, const QString &counterparty,
                                const QString &merchandise, const QDateTime &time, qint64 cents)
{
    m_purchases.push_back({std::nullopt, line, transactionId, counterparty, merchandise, time, cents, 0});
}

void RefundMatcher::addRefund(ImportRow refund, bool fileSaysIncome)
{
    m_refunds.push_back({std::move(refund), fileSaysIncome});
}

RefundMatcher::Purchase *RefundMatcher::purchaseOf(const ImportRow &refund)
{
    Purchase *best = nullptr;
    std::tuple<int, QDateTime> bestRank;
    const QString goods = refundedGoods(refund.merchandise);
    for (Purchase &purchase : m_purchases) {
        int score = 0;
        const QString &id = purchase.transactionId;
        if (!id.isEmpty() && !refund.transactionId.isEmpty() &&
            (refund.transactionId == id ||
             (id.size() >= shortestPrefixId && refund.transactionId.startsWith(id)))) {
            score = 3;
        } else if (!purchase.counterparty.isEmpty() && purchase.counterparty == refund.counterparty &&
                   purchase.time <= refund.time) {
            // A refund larger than what is left of an imported purchase is not its refund.
            if (purchase.row && refund.cents > purchase.cents + purchase.credit)
                continue;
            score =
                !goods.isEmpty() && !purchase.merchandise.isEmpty() && goods.contains(purchase.merchandise)
                    ? 2
                    : 1;
        }
        if (score == 0)
            continue;
        const std::tuple<int, QDateTime> rank{score, purchase.time};
        if (!best || rank > bestRank) {
            best = &purchase;
            bestRank = rank;
        }
    }
    return best;
}

void RefundMatcher::settle(ImportResult &result, const std::function<void(ImportRow &)> &keep)
{
    std::vector<size_t> dropped;
    const size_t rowsBefore = result.rows.size();
    for (Refund &refund : m_refunds) {
        Purchase *purchase = purchaseOf(refund.row);
        if (!purchase) {
            if (refund.fileSaysIncome)
                keep(refund.row);
            else
                result.skipped.push_back({refund.row.line, ImportSkipReason::neutral});
            continue;
        }
        if (!purchase->row) {
            result.skipped.push_back({refund.row.line, ImportSkipReason::refundOfRefunded});
            continue;
        }
        const qint64 fromCredit = std::min(refund.row.cents, purchase->credit);
        purchase->credit -= fromCredit;
        const qint64 rest = refund.row.cents - fromCredit;
        purchase->cents -= rest;
        if (purchase->cents <= 0) {
            dropped.push_back(*purchase->row);
            result.skipped.push_back({purchase->line, ImportSkipReason::refunded});
            result.skipped.push_back({refund.row.line, ImportSkipReason::refundOfRefunded});
            purchase->row.reset();
            continue;
        }
        result.rows[*purchase->row].cents = purchase->cents;
        result.skipped.push_back({refund.row.line, ImportSkipReason::refundNetted});
    }
    std::sort(dropped.begin(), dropped.end());
    for (auto it = dropped.rbegin(); it != dropped.rend(); ++it)
        result.rows.erase(result.rows.begin() + std::ptrdiff_t(*it));
    const auto byLine = [](const auto &a, const auto &b) { return a.line < b.line; };
    if (result.rows.size() != rowsBefore || !dropped.empty())
        std::stable_sort(result.rows.begin(), result.rows.end(), byLine);
    std::stable_sort(result.skipped.begin(), result.skipped.end(), byLine);
}
