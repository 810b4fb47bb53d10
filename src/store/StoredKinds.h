// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KindList.h"

#include "model/AssetAccount.h"
#include "model/AssetAdjustment.h"
#include "model/Budget.h"
#include "model/FixedAsset.h"
#include "model/LedgerEntry.h"
#include "model/SavingsDeposit.h"
#include "model/SavingsGoal.h"

// Every kind of record the store holds, in schema order: the order of the tables in a new file,
// of loading, and of the writes of a removal or a restore. A new kind is added here, with its
// table in StoreSchema and its change signal in ModelStore; the store's code walks this list.
using StoredKinds =
    KindList<LedgerEntry, Budget, SavingsGoal, SavingsDeposit, AssetAccount, AssetAdjustment, FixedAsset>;
