#pragma once

#include <QList>
#include <QString>

#include <optional>

// The span of time the statistics cover. The raw text is also the range's identity and its
// title in the range picker.
enum class StatisticsRange { day, week, month, custom };

namespace StatisticsRanges {

// Every case, in display order: day, week, month, custom.
const QList<StatisticsRange> &allCases();
// "按日", "本周", "本月" or "自定义".
QString rawText(StatisticsRange range);
// Accepts exactly the four raw texts.
std::optional<StatisticsRange> fromRaw(const QString &raw);

} // namespace StatisticsRanges
