#include "Budget.h"

#include "Clock.h"
#include "DateText.h"

Budget::Budget(QString category, double limit, const QDateTime &month,
               std::optional<QDateTime> periodStart, std::optional<QDateTime> periodEnd)
    : id(QUuid::createUuid()),
      category(std::move(category)),
      limit(limit),
      monthKey(DateText::monthKey(month.isValid() ? month : Clock::now())),
      periodStart(std::move(periodStart)),
      periodEnd(std::move(periodEnd))
{
}
