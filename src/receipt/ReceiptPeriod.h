#pragma once

#include <QList>
#include <QString>

#include <optional>

// The span one receipt sums up. The raw text is also the period's identity and what the
// period picker shows.
enum class ReceiptPeriod { day, week, month };

namespace ReceiptPeriods {

// Every case, in display order: day, week, month.
const QList<ReceiptPeriod> &allCases();
// "日", "周" or "月".
QString rawText(ReceiptPeriod period);
// Accepts exactly the three raw texts.
std::optional<ReceiptPeriod> fromRaw(const QString &raw);

} // namespace ReceiptPeriods
