// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

// Whether an entry is money out or money in. Stored as its raw text, which is also its
// display title and its identity.
enum class EntryKind { expense, income };

namespace EntryKinds {

// Every case, in display order: expense, then income.
const QList<EntryKind> &allCases();
// Accepts exactly "支出" and "收入".
std::optional<EntryKind> fromRaw(const QString &raw);
QString rawText(EntryKind kind);
inline QString id(EntryKind kind)
{
    return rawText(kind);
}
// Icon identifier of the kind.
QString symbol(EntryKind kind);

} // namespace EntryKinds
