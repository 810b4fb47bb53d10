// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetAccount.h"

#include "Clock.h"
#include "RecordId.h"

AssetAccount::AssetAccount(QString name, QString kind, QString dimension, double openingBalance,
                           const QDateTime &createdAt)
    : id(RecordId::fresh())
    , name(std::move(name))
    , kind(std::move(kind))
    , dimension(std::move(dimension))
    , openingBalance(openingBalance)
    , createdAt(createdAt.isValid() ? createdAt : Clock::now())
{
}
