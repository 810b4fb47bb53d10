// SPDX-License-Identifier: GPL-3.0-or-later
// Workbooks: odd first byte, the rest is a shared-strings part and a sheet (split at the
// first 0x1f byte) packed into a well-formed archive, so the XML readers get the input;
// even first byte, the rest is the archive itself. With the first byte's second bit set as
// well, the sheet is a head, a body and a tail split at 0x1e bytes, and the body stands as
// many times as the two bytes after the first say (up to 65,535), so a few bytes of input
// reach sheets of tens of thousands of rows, such as rows that each name column XFD (which,
// padded to their column letters, would be a billion fields).
// Reading ends in records or a message, every record has a row number and at most the
// sheet's 16384 columns, and all records together hold no more cells than the limit.
#include "export/ZipWriter.h"
#include "import/XlsxTable.h"

#include <QByteArray>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 cellLimit = 1'000'000;
// What the repeated body may grow the sheet to, so each input still runs in a second or two
// under the sanitizers.
constexpr qsizetype sheetLimit = 4 * 1024 * 1024;

QByteArray repeated(const QByteArray &sheet, int times)
{
    const qsizetype first = sheet.indexOf('\x1e');
    const qsizetype second = first < 0 ? -1 : sheet.indexOf('\x1e', first + 1);
    if (second < 0)
        return sheet;
    const QByteArray body = sheet.mid(first + 1, second - first - 1);
    if (!body.isEmpty())
        times = int(std::min<qsizetype>(times, sheetLimit / body.size()));
    QByteArray out = sheet.left(first);
    out.reserve(out.size() + body.size() * times + sheet.size());
    for (int i = 0; i < times; ++i)
        out += body;
    out += sheet.mid(second + 1);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool packed = data[0] & 1;
    const bool repeating = packed && (data[0] & 2) && size >= 3;
    const size_t skip = repeating ? 3 : 1;
    const int times = repeating ? (data[1] | data[2] << 8) : 1;
    if (size < skip)
        return 0;
    QByteArray rest(reinterpret_cast<const char *>(data + skip), static_cast<qsizetype>(size - skip));
    QByteArray bytes = rest;
    if (packed) {
        const qsizetype split = rest.indexOf('\x1f');
        const QByteArray strings = split < 0 ? QByteArray() : rest.left(split);
        QByteArray sheet = split < 0 ? rest : rest.mid(split + 1);
        if (repeating)
            sheet = repeated(sheet, times);
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
    const XlsxTable::Result result = XlsxTable::read(bytes, 32 * 1024 * 1024, cellLimit);
    if (!result.error.isEmpty() && !result.table.records.empty())
        std::abort();
    if (!result.damage.isEmpty() && result.damagedRow <= 0)
        std::abort();
    qint64 cells = 0;
    for (const TableRecord &record : result.table.records) {
        if (record.line <= 0 || record.fields.size() > 16384)
            std::abort();
        cells += record.fields.size();
    }
    if (cells > cellLimit)
        std::abort();
    return 0;
}
