#include "ReceiptPeriod.h"

using namespace Qt::StringLiterals;

const QList<ReceiptPeriod> &ReceiptPeriods::allCases()
{
    static const QList<ReceiptPeriod> cases{ReceiptPeriod::day, ReceiptPeriod::week, ReceiptPeriod::month};
    return cases;
}

QString ReceiptPeriods::rawText(ReceiptPeriod period)
{
    switch (period) {
    case ReceiptPeriod::day:
        return u"日"_s;
    case ReceiptPeriod::week:
        return u"周"_s;
    case ReceiptPeriod::month:
        break;
    }
    return u"月"_s;
}

std::optional<ReceiptPeriod> ReceiptPeriods::fromRaw(const QString &raw)
{
    for (ReceiptPeriod period : allCases()) {
        if (rawText(period) == raw)
            return period;
    }
    return std::nullopt;
}
