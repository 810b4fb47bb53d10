// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryKind.h"

using namespace Qt::StringLiterals;

const QList<EntryKind> &EntryKinds::allCases()
{
    static const QList<EntryKind> cases{EntryKind::expense, EntryKind::income};
    return cases;
}

std::optional<EntryKind> EntryKinds::fromRaw(const QString &raw)
{
    if (raw == u"支出"_s)
        return EntryKind::expense;
    if (raw == u"收入"_s)
        return EntryKind::income;
    return std::nullopt;
}

QString EntryKinds::rawText(EntryKind kind)
{
    return kind == EntryKind::income ? u"收入"_s : u"支出"_s;
}

QString EntryKinds::symbol(EntryKind kind)
{
    return kind == EntryKind::income ? u"plus.circle.fill"_s : u"minus.circle.fill"_s;
}
