// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The categories a fixed asset is filed under, and the symbol each is drawn with.
namespace FixedAssetCategory {

// "房产" first, "其他" last: the order of the form's picker.
const QStringList &all();
// The category's symbol; a text that is not exactly one of all() gets the generic box.
QString icon(const QString &category);

} // namespace FixedAssetCategory
