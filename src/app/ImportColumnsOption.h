// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ColumnMapping.h"
#include "import/ImportResult.h"

#include <QString>
#include <QStringList>

#include <optional>

// The command line's way to say how a table is read, as the import sheet's choices do:
// `--map date=交易日,amount=交易金额,note=交易摘要` and `--date-order dmy|mdy`.
namespace ImportColumnsOption {

// The mapping with the fields the text names set to columns of the header, each by its name
// (compared trimmed and case-insensitively) or its 1-based number, or to none by "-". Setting
// the amount clears income and expense, and the other way round, unless the text sets both.
// Nothing, with the reason, for an unknown field or column.
std::optional<ColumnMapping> apply(const QString &text, const QStringList &header, ColumnMapping mapping,
                                   QString *error);

// "dmy" and "mdy"; nothing for any other text.
std::optional<ImportDateOrder> dateOrder(const QString &text);

// Why a table cannot be read without --map: the header found and an example of the option.
QString missingColumns(const QString &fileName, const QStringList &header, const ColumnMapping &guess);

// Why a file whose every date reads both ways is not imported without --date-order.
QString ambiguousDates(const QString &fileName);

} // namespace ImportColumnsOption
