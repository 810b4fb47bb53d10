// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ColumnMapping.h"
#include "ImportCategorizer.h"
#include "ImportFile.h"
#include "ImportResult.h"

#include <optional>

// Reads the rows of a loaded file into entries-to-be. Pure: it touches no store and may run
// on any thread. A row that cannot be read becomes an error with its line and the others are
// still read; a row that is deliberately left out (neither income nor expense, failed or
// closed, fully refunded) is counted under its reason.
namespace ImportReader {

// A WeChat Pay or Alipay file by its own columns, a QIF file with its dates in the order they
// tell, an OFX statement (mapping is ignored for all of these); any other table by
// the mapping, or by its guessed mapping when none is given. A table whose mapping lacks a
// date or an amount gives a file error asking for the columns.
ImportResult read(const ImportFile &file, const ImportCategorizer &categorizer,
                  const std::optional<ColumnMapping> &mapping = std::nullopt);

// The same with the day and month of year-last dates (a QIF file's, a table's 05/03/2024) in
// the given order; automatic: as the file's dates tell, else month first, with
// dateOrderAmbiguous set.
ImportResult read(const ImportFile &file, const ImportCategorizer &categorizer,
                  const std::optional<ColumnMapping> &mapping, ImportDateOrder dateOrder);

// A QIF file with the day and month of its dates in the given order (automatic: as the file's
// dates tell, else month first); the same as read() above for any other file.
ImportResult read(const ImportFile &file, const ImportCategorizer &categorizer, ImportDateOrder dateOrder);

// load() and read() in one call.
ImportResult read(const QString &path, const ImportCategorizer &categorizer,
                  const std::optional<ColumnMapping> &mapping = std::nullopt,
                  const ImportLimits &limits = {});

// "“账单.csv” 第 12 行：金额“12.x”无法读取" for the import sheet's list of problems.
QString describe(const QString &fileName, const ImportRowError &error);

} // namespace ImportReader
