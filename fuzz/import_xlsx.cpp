// SPDX-License-Identifier: GPL-3.0-or-later
// Workbooks: odd first byte, the rest is a shared-strings part and a sheet (split at the
// first 0x1f byte) packed into a well-formed archive, so the XML readers get the input;
// even first byte, the rest is the archive itself. Reading ends in records or a message,
// and every record has a row number and at most the sheet's 16384 columns.
#include "export/ZipWriter.h"
#include "import/XlsxTable.h"

#include <QByteArray>

#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray rest(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    QByteArray bytes = rest;
    if (data[0] & 1) {
        const qsizetype split = rest.indexOf('\x1f');
        const QByteArray strings = split < 0 ? QByteArray() : rest.left(split);
        const QByteArray sheet = split < 0 ? rest : rest.mid(split + 1);
        const std::vector<ZipWriter::File> files{
            {u"xl/workbook.xml"_s, "<workbook xmlns:r=\"r\"><sheets><sheet name=\"a\" sheetId=\"1\" "
                                   "r:id=\"rId1\"/></sheets></workbook>"},
            {u"xl/_rels/workbook.xml.rels"_s,
             "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
            {u"xl/sharedStrings.xml"_s, strings},
            {u"xl/worksheets/sheet1.xml"_s, sheet},
        };
        const std::optional<QByteArray> archive = ZipWriter::archive(files);
        if (!archive)
            return 0;
        bytes = *archive;
    }
    const XlsxTable::Result result = XlsxTable::read(bytes, 1024 * 1024);
    if (!result.error.isEmpty() && !result.table.records.empty())
        std::abort();
    for (const TableRecord &record : result.table.records) {
        if (record.line <= 0 || record.fields.size() > 16384)
            std::abort();
    }
    return 0;
}
