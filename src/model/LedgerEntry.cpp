// SPDX-License-Identifier: GPL-3.0-or-later
#include "LedgerEntry.h"

#include "Clock.h"
#include "RecordId.h"

LedgerEntry::LedgerEntry(double amount, QDateTime date, EntryKind kind, QString category, QString note)
    : id(RecordId::fresh())
    , amount(amount)
    , date(std::move(date))
    , kindRaw(EntryKinds::rawText(kind))
    , category(std::move(category))
    , note(std::move(note))
    , createdAt(Clock::now())
{
}

LedgerEntry::LedgerEntry(double amount, EntryKind kind, QString category, QString note)
    : LedgerEntry(amount, Clock::now(), kind, std::move(category), std::move(note))
{
}

EntryKind LedgerEntry::kind() const
{
    return EntryKinds::fromRaw(kindRaw).value_or(EntryKind::expense);
}
