// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryText.h"

#include "model/DateText.h"
#include "model/Money.h"

using namespace Qt::StringLiterals;

QString EntryText::detail(const LedgerEntry &entry)
{
    return entry.note.isEmpty() ? DateText::displayDate(entry.date) : entry.note;
}

QString EntryText::amount(const LedgerEntry &entry)
{
    return (entry.kind() == EntryKind::income ? u"+"_s : u"-"_s) + Money::text(entry.amount);
}

QString EntryText::accessible(const LedgerEntry &entry)
{
    return entry.category + u"，"_s + detail(entry) + u"，"_s + amount(entry);
}
