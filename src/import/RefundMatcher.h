// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportResult.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Pairs the refund lines of one file with their purchases, so a refund is never counted as
// income beside the purchase it undoes. A refund belongs to the purchase with the same
// transaction id (or one its id extends, 2024…001_R1 of 2024…001), else to the latest earlier
// purchase from the same counterparty, one whose goods the refund names first.
//  - Its purchase was left out as fully refunded: the refund is left out too.
//  - Its purchase is imported: the refund comes off it (first off what the purchase's own
//    status already took off, 「已退款(¥5.00)」) and is left out; a purchase refunded whole
//    by it is left out as fully refunded.
//  - No purchase in the file: income in 退款 when the file calls it income, else neither.
class RefundMatcher {
public:
    // A purchase that was imported as result.rows[row], with `credit` cents of refunds
    // already taken off by its own status.
    void addImported(size_t row, const ImportRow &purchase, qint64 credit);
    // A purchase left out as fully refunded, on that line.
    void addRefunded(int line, const QString &transactionId, const QString &counterparty,
                     const QString &merchandise, const QDateTime &time, qint64 cents);
    // A refund line read whole; fileSaysIncome when its own kind column says 收入.
    void addRefund(ImportRow refund, bool fileSaysIncome);

    bool empty() const { return m_refunds.empty(); }

    // Settles every refund into the result, in file order; keep() files a refund that stays
    // income (it puts the category on and appends the row).
    void settle(ImportResult &result, const std::function<void(ImportRow &)> &keep);

private:
    struct Purchase {
        std::optional<size_t> row; // into result.rows; none when left out as refunded
        int line = 0;
        QString transactionId;
        QString counterparty;
        QString merchandise;
        QDateTime time;
        qint64 cents = 0;
        qint64 credit = 0;
    };
    struct Refund {
        ImportRow row;
        bool fileSaysIncome = false;
    };

    Purchase *purchaseOf(const ImportRow &refund);

    std::vector<Purchase> m_purchases;
    std::vector<Refund> m_refunds;
};
