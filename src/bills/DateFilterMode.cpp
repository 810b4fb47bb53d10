#include "DateFilterMode.h"

using namespace Qt::StringLiterals;

const QList<DateFilterMode> &DateFilterModes::allCases()
{
    static const QList<DateFilterMode> cases{DateFilterMode::all, DateFilterMode::custom};
    return cases;
}

QString DateFilterModes::rawText(DateFilterMode mode)
{
    return mode == DateFilterMode::custom ? u"自定义日期"_s : u"全部账单"_s;
}

std::optional<DateFilterMode> DateFilterModes::fromRaw(const QString &raw)
{
    for (DateFilterMode mode : allCases()) {
        if (rawText(mode) == raw)
            return mode;
    }
    return std::nullopt;
}
