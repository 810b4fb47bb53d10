// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryKind.h"

#include <QString>
#include <QStringList>

// The fixed category lists and the icon of each category.
namespace LedgerCategories {

// The 52 expense categories, in display order; the last is "其它".
const QStringList &expenses();
// The 8 income categories, in display order; the last is "其他收入".
const QStringList &incomes();
// The list of the given kind.
const QStringList &forKind(EntryKind kind);
// The first category of the kind's list ("餐饮" / "工资"), "其它" for an empty list.
QString firstFor(EntryKind kind);
// Exact, case-sensitive lookup of the whole name; "square.grid.2x2.fill" for any other name.
QString icon(const QString &category);

inline constexpr const char16_t *fallbackIcon = u"square.grid.2x2.fill";

} // namespace LedgerCategories
