// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a bank's table: the column guess gives each column at most one field, never
// one signed amount beside income and expense columns, only columns of the header, and a
// mapping that reads back from its text; and reading the table by it accounts for every line
// after the header, as a row, a line left out with its reason, or a line that could not be read.
#include "import/ImportReader.h"

#include <QByteArray>
#include <QSet>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ImportFile file = ImportFile::fromBytes(bytes, QStringLiteral("fuzz.csv"));
    if (!file.ok() || file.layout != ImportFile::Layout::table)
        return 0;
    const ColumnMapping mapping = ColumnMapping::guess(file.header);
    const int columns[] = {mapping.date,         mapping.time,    mapping.amount,   mapping.income,
                           mapping.expense,      mapping.kind,    mapping.category, mapping.note,
                           mapping.counterparty, mapping.currency};
    QSet<int> used;
    for (const int column : columns) {
        if (column < -1 || column >= file.header.size())
            std::abort();
        if (column >= 0 && used.contains(column))
            std::abort();
        if (column >= 0)
            used.insert(column);
    }
    if (mapping.amount >= 0 && mapping.income >= 0 && mapping.expense >= 0)
        std::abort();
    if (ColumnMapping::fromText(mapping.toText()) != mapping)
        std::abort();
    if (!mapping.isComplete())
        return 0;
    for (const ImportDateOrder order : {ImportDateOrder::automatic, ImportDateOrder::dayFirst}) {
        const ImportResult result = ImportReader::read(file, ImportCategorizer(), mapping, order);
        if (!result.ok())
            std::abort();
        QSet<int> accounted;
        for (const ImportRow &row : result.rows)
            accounted.insert(row.line);
        for (const ImportSkip &skip : result.skipped)
            accounted.insert(skip.line);
        for (const ImportRowError &error : result.errors)
            accounted.insert(error.line);
        for (size_t i = file.headerIndex + 1; i < file.table.records.size(); ++i) {
            if (!accounted.contains(file.table.records[i].line))
                std::abort();
        }
    }
    return 0;
}
