// SPDX-License-Identifier: GPL-3.0-or-later
#include "SavingsDeposit.h"

#include "Clock.h"
#include "RecordId.h"

SavingsDeposit::SavingsDeposit(QUuid goalID, double amount, const QDateTime &date, QString note)
    : id(RecordId::fresh())
    , goalID(goalID)
    , amount(amount)
    , date(date.isValid() ? date : Clock::now())
    , note(std::move(note))
{
}
