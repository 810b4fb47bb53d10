// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAdjustment.h"

#include "Clock.h"
#include "RecordId.h"

AssetAdjustment::AssetAdjustment(QUuid accountID, double amount, const QDateTime &date, QString note)
    : id(RecordId::fresh())
    , accountID(accountID)
    , amount(amount)
    , date(date.isValid() ? date : Clock::now())
    , note(std::move(note))
{
}
