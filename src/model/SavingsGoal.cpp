// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsGoal.h"

#include "Clock.h"
#include "RecordId.h"

SavingsGoal::SavingsGoal(QString name, double targetAmount, QDateTime expectedDate)
    : id(RecordId::fresh())
    , name(std::move(name))
    , targetAmount(targetAmount)
    , expectedDate(std::move(expectedDate))
    , createdAt(Clock::now())
{
}
