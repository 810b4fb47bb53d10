// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreIndexes.h"

StoreIndexes::StoreIndexes(ModelStore &store, QObject *parent)
    : QObject(parent), m_totals(store), m_ledger(store)
{
}
