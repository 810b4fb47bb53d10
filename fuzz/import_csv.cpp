// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a bill file: reading never fails other than with a message, and every row it
// hands out is one the store can take (a positive amount in range, a valid local time, a
// category of the row's kind, a line of the file).
#include "import/ImportReader.h"
#include "model/LedgerCategories.h"

#include <QByteArray>

#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ImportFile file = ImportFile::fromBytes(bytes, QStringLiteral("fuzz.csv"));
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    if (!result.ok()) {
        if (result.fileError.isEmpty() || !result.rows.empty())
            std::abort();
        return 0;
    }
    // A sheet's rows are numbered by the workbook, a text's by its line ends.
    const int lines = file.encoding == QStringLiteral("xlsx")
                          ? std::numeric_limits<int>::max()
                          : static_cast<int>(bytes.count('\n') + bytes.count('\r') + 1);
    for (const ImportRow &row : result.rows) {
        if (row.cents <= 0 || row.cents > 99'999'999'999'999 || !row.time.isValid())
            std::abort();
        if (!LedgerCategories::forKind(row.kind).contains(row.category))
            std::abort();
        if (row.line <= file.headerLine || row.line > lines)
            std::abort();
    }
    for (const ImportRowError &error : result.errors) {
        if (error.reason.isEmpty() || error.line <= file.headerLine || error.line > lines)
            std::abort();
    }
    return 0;
}
