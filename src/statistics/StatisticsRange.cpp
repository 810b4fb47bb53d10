#include "StatisticsRange.h"

using namespace Qt::StringLiterals;

const QList<StatisticsRange> &StatisticsRanges::allCases()
{
    static const QList<StatisticsRange> cases{StatisticsRange::day, StatisticsRange::week,
                                              StatisticsRange::month, StatisticsRange::custom};
    return cases;
}

QString StatisticsRanges::rawText(StatisticsRange range)
{
    switch (range) {
    case StatisticsRange::day:
        return u"按日"_s;
    case StatisticsRange::week:
        return u"本周"_s;
    case StatisticsRange::month:
        return u"本月"_s;
    case StatisticsRange::custom:
        break;
    }
    return u"自定义"_s;
}

std::optional<StatisticsRange> StatisticsRanges::fromRaw(const QString &raw)
{
    for (StatisticsRange range : allCases()) {
        if (rawText(range) == raw)
            return range;
    }
    return std::nullopt;
}
