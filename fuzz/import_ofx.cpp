// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as an OFX or QFX statement: reading never fails other than with a message, every
// row it hands out is one the store can take (a positive amount in range, a valid local time,
// a category of the row's kind, a line of the file), and every unreadable line and the place
// of any damage is a line of the file. Bytes that do not start as OFX are made to, so the
// fuzzer spends its time inside the markup reader.
#include "import/ImportReader.h"
#include "model/LedgerCategories.h"

#include <QByteArray>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (!OfxReader::looksLikeOfx(bytes))
        bytes.prepend("OFXHEADER:100\n\n<OFX>");
    const ImportFile file = ImportFile::fromBytes(bytes, QStringLiteral("fuzz.ofx"));
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    if (!result.ok()) {
        if (result.fileError.isEmpty() || !result.rows.empty())
            std::abort();
        return 0;
    }
    if (file.layout != ImportFile::Layout::ofx)
        return 0;
    const int lines = static_cast<int>(bytes.count('\n') + 1);
    for (const ImportRow &row : result.rows) {
        if (row.cents <= 0 || row.cents > 99'999'999'999'999 || !row.time.isValid())
            std::abort();
        if (!LedgerCategories::forKind(row.kind).contains(row.category))
            std::abort();
        if (row.line < 1 || row.line > lines)
            std::abort();
    }
    for (const ImportRowError &error : result.errors) {
        if (error.reason.isEmpty() || error.line < 1 || error.line > lines)
            std::abort();
    }
    if (!result.damage.isEmpty() && (result.damageLine < 1 || result.damageLine > lines))
        std::abort();
    return 0;
}
