#pragma once

#include <QList>
#include <QString>

#include <optional>

// Which entries the bills list takes by date: all of them, or the whole days of a chosen
// range. The raw text is also the mode's identity and its label.
enum class DateFilterMode { all, custom };

namespace DateFilterModes {

// Every case, in display order: all, then custom.
const QList<DateFilterMode> &allCases();
// "全部账单" or "自定义日期".
QString rawText(DateFilterMode mode);
// Accepts exactly the two raw texts.
std::optional<DateFilterMode> fromRaw(const QString &raw);

} // namespace DateFilterModes
