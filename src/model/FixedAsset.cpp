// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAsset.h"

#include "Clock.h"
#include "RecordId.h"

FixedAsset::FixedAsset(QString category, QString name, double currentValue, QDateTime purchaseDate,
                       qint64 usefulLifeMonths, QString note)
    : id(RecordId::fresh())
    , category(std::move(category))
    , name(std::move(name))
    , currentValue(currentValue)
    , purchaseDate(std::move(purchaseDate))
    , usefulLifeMonths(usefulLifeMonths)
    , note(std::move(note))
    , createdAt(Clock::now())
{
}

FixedAsset::FixedAsset(QString category, QString name, double currentValue, qint64 usefulLifeMonths,
                       QString note)
    : FixedAsset(std::move(category), std::move(name), currentValue, Clock::now(), usefulLifeMonths,
                 std::move(note))
{
}
