// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportTable.h"

#include <QByteArray>
#include <QString>

#include <QtGlobal>

// Reads the first sheet of an .xlsx workbook into records: shared and inline strings as
// their text, numbers as written in the file (a date cell keeps its day number; the reader
// of the column turns it into a date), one record per sheet row with its row number.
namespace XlsxTable {

// Whether the bytes start like a zip archive, as every .xlsx does.
bool looksLikeZip(const QByteArray &bytes);

// The inflated bytes the reader accepts from one workbook, all parts together.
inline constexpr qint64 defaultInflateLimit = 256LL * 1024 * 1024;
// The cells the table may hold, counting the empty ones a row is padded with.
inline constexpr qint64 defaultCellLimit = 4'000'000;

struct Result {
    ImportTable table;
    // Why the workbook could not be read, in Chinese; empty on success.
    QString error;
    // The sheet's XML breaks off: where (the sheet row it stopped in, the XML line and column)
    // and why, in Chinese. The table then holds the rows before that row only.
    QString damage;
    int damagedRow = 0;
};

// The bytes are counted as they inflate, whatever the archive's directory claims, and reading
// stops with an error once they pass inflateLimit. A row holds the columns that hold a cell in
// some row of the sheet, in their order, so a row that names a far column (XFD) costs one
// field, not sixteen thousand; past cellLimit cells, padding included, reading stops with an
// error.
Result read(const QByteArray &bytes, qint64 inflateLimit = defaultInflateLimit,
            qint64 cellLimit = defaultCellLimit);

} // namespace XlsxTable
