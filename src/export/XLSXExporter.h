// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WorkbookFile.h"
#include "ZipWriter.h"
#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QIODevice;

#include <functional>
#include <optional>
#include <vector>

// Writes every entry into a one-sheet spreadsheet workbook (.xlsx): four fixed XML parts and
// the sheet, every cell an inline string, packed into a stored zip archive. Built as plain
// text, without an XML library.
namespace XLSXExporter {

inline constexpr char16_t sheetName[] = u"账单明细";

// Writes the workbook of the entries to exactly that path and returns true; or false and the
// reason, naming the path. The workbook goes to a private new file beside the path, reaches the
// disk, and only then replaces a regular file there, which otherwise stays as it was. A link is
// followed to the file it names only for a path the person chose (links), else refused. A pipe,
// a device or a folder at the path is refused untouched.
bool exportTo(RecordRange<LedgerEntry> entries, const QString &path, QString *error,
              WorkbookFile::Links links = WorkbookFile::Links::follow);
// The same to "Pennyloom-<month key>.xlsx" in the folder, replacing an earlier one of the same
// month but never following a link of that name, and returns its path; or nullopt and the error.
std::optional<QString> exportEntries(RecordRange<LedgerEntry> entries, const QString &folder, QString *error);

// "Pennyloom-2024-03.xlsx" for an instant in March 2024, local time.
QString fileName(const QDateTime &now);

// The workbook written to a seekable device, the sheet piece by piece as it is made; false and
// the reason when the device fails or the archive would not fit the zip layout.
bool writeWorkbook(QIODevice &device, RecordRange<LedgerEntry> entries, QString *error = nullptr);
// The archive bytes: the five parts in their order. Nullopt only when the archive would not
// fit the zip layout (a sheet past 4 GB).
std::optional<QByteArray> workbook(RecordRange<LedgerEntry> entries, QString *error = nullptr);
// The five (entry name, content) pairs of the archive, in archive order.
std::vector<ZipWriter::File> parts(RecordRange<LedgerEntry> entries);
// The sheet part handed to the sink in pieces of a few hundred kilobytes (more for a row longer
// than that), in order; stops and returns false as soon as the sink returns false.
bool writeSheet(RecordRange<LedgerEntry> entries, const std::function<bool(QByteArrayView)> &sink);
// The sheet part whole: a header row, then one row per entry, newest first; entries of the same
// instant keep their order in the input.
QByteArray sheetXML(RecordRange<LedgerEntry> entries);

// One cell: column 1..5 (A..E), row from 1, the text escaped.
QString cellXML(int column, int row, const QString &text);

} // namespace XLSXExporter
