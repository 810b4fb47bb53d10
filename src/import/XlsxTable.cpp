// SPDX-License-Identifier: GPL-3.0-or-later
#include "XlsxTable.h"

#include <QHash>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct ArchiveCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

// Inflates entries of one archive while keeping the running total under the limit.
class Inflater {
public:
    Inflater(zip_t *archive, qint64 limit) : m_archive(archive), m_limit(limit) {}

    // The entry's bytes; nothing when it is missing. Sets error when reading fails or the
    // total passes the limit.
    std::optional<QByteArray> entry(const QString &name, QString *error)
    {
        const QByteArray path = name.toUtf8();
        std::unique_ptr<zip_file_t, EntryCloser> file(zip_fopen(m_archive, path.constData(), 0));
        if (!file)
            return std::nullopt;
        QByteArray bytes;
        char buffer[64 * 1024];
        for (;;) {
            const zip_int64_t read = zip_fread(file.get(), buffer, sizeof buffer);
            if (read < 0) {
                *error = u"表格文件已损坏，无法解压“%1”"_s.arg(name);
                return std::nullopt;
            }
            if (read == 0)
                break;
            m_total += read;
            if (m_total > m_limit) {
                *error =
                    u"表格文件解压后超过 %1 MiB，不像是一份账单，已停止读取"_s.arg(m_limit / (1024 * 1024));
                return std::nullopt;
            }
            bytes.append(buffer, static_cast<qsizetype>(read));
        }
        return bytes;
    }

private:
    zip_t *m_archive;
    qint64 m_limit;
    qint64 m_total = 0;
};

// "BC12" -> 54 (0-based column), -1 when the reference holds no column letters.
int columnOf(QStringView reference)
{
    int column = 0;
    bool any = false;
    for (const QChar c : reference) {
        if (c < u'A' || c > u'Z')
            break;
        column = column * 26 + (c.unicode() - u'A' + 1);
        any = true;
        if (column > 16384)
            return -1;
    }
    return any ? column - 1 : -1;
}

// The text of an <si> or <is> element the reader stands on: its <t> runs, phonetic guides left out.
QString richText(QXmlStreamReader &xml)
{
    QString text;
    const QString element = xml.name().toString();
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == element)
                break;
        }
    }
    return text;
}

// "第 3 行第 17 列：…" for where the XML reader stopped.
QString xmlPlace(const QXmlStreamReader &xml)
{
    return u"XML 第 %1 行第 %2 列：%3"_s.arg(xml.lineNumber()).arg(xml.columnNumber()).arg(xml.errorString());
}

// Nothing, and an error naming the part and where it breaks, when the part is damaged or
// holds more strings than the table could.
std::optional<QStringList> sharedStrings(const QByteArray &bytes, qint64 cellLimit, QString *error)
{
    QStringList strings;
    if (bytes.isEmpty())
        return strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si") {
            if (strings.size() >= cellLimit) {
                *error = u"表格的共享文本超过 %1 条，不像是一份账单，已停止读取"_s.arg(cellLimit);
                return std::nullopt;
            }
            strings.append(richText(xml));
        }
    }
    if (xml.hasError()) {
        *error = u"表格的共享文本（xl/sharedStrings.xml）已损坏，%1"_s.arg(xmlPlace(xml));
        return std::nullopt;
    }
    return strings;
}

// The path of the first sheet from the workbook and its relationships; sheet1.xml when
// they say nothing usable.
QString firstSheetPath(const QByteArray &workbook, const QByteArray &relations, bool *date1904)
{
    QString relation;
    QXmlStreamReader xml(workbook);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"workbookPr") {
            const QStringView value = xml.attributes().value(u"date1904"_s);
            *date1904 = value == u"1" || value == u"true";
        } else if (xml.name() == u"sheet" && relation.isEmpty()) {
            for (const QXmlStreamAttribute &attribute : xml.attributes()) {
                if (attribute.name() == u"id")
                    relation = attribute.value().toString();
            }
        }
    }
    if (!relation.isEmpty()) {
        QXmlStreamReader rels(relations);
        while (!rels.atEnd()) {
            rels.readNext();
            if (rels.isStartElement() && rels.name() == u"Relationship" &&
                rels.attributes().value(u"Id"_s) == relation) {
                QString target = rels.attributes().value(u"Target"_s).toString();
                if (target.startsWith(u'/'))
                    return target.mid(1);
                return u"xl/"_s + target;
            }
        }
    }
    return u"xl/worksheets/sheet1.xml"_s;
}

// A sheet row as the file has it: its cells that hold text (a stretch of the reader's one list
// of cells, so a row costs no allocation of its own), and the last column that holds a cell at
// all, so the row keeps its width without being padded yet.
struct SparseRow {
    int line = 0;
    int lastColumn = -1;
    size_t firstCell = 0;
    size_t endCell = 0;
};

class SheetReader {
public:
    SheetReader(const QStringList &strings, qint64 cellLimit, XlsxTable::Result *result)
        : m_strings(strings), m_cellLimit(cellLimit), m_result(result), m_present(16384, false)
    {
    }

    // False with an error set when the sheet passes the cell limit; a damage is not an error.
    bool read(const QByteArray &bytes);

private:
    bool readCell(QXmlStreamReader &xml, SparseRow &row, int *nextColumn);
    bool finish();

    const QStringList &m_strings;
    qint64 m_cellLimit;
    XlsxTable::Result *m_result;
    std::vector<SparseRow> m_rows;
    std::vector<std::pair<int, QString>> m_cellTexts;
    std::vector<bool> m_present;
    qint64 m_cells = 0;
};

bool SheetReader::read(const QByteArray &bytes)
{
    QXmlStreamReader xml(bytes);
    SparseRow row;
    int nextRow = 1;
    int nextColumn = 0;
    bool inRow = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"row") {
            bool ok = false;
            const int number = xml.attributes().value(u"r"_s).toInt(&ok);
            // Cells of a row that never ended belong to no row.
            m_cellTexts.resize(m_rows.empty() ? 0 : m_rows.back().endCell);
            row = SparseRow();
            row.firstCell = row.endCell = m_cellTexts.size();
            row.line = ok && number > 0 ? number : nextRow;
            nextRow = row.line + 1;
            nextColumn = 0;
            inRow = true;
        } else if (inRow && xml.isEndElement() && xml.name() == u"row") {
            row.endCell = m_cellTexts.size();
            if (row.endCell > row.firstCell)
                m_rows.push_back(row);
            else
                m_cellTexts.resize(row.firstCell);
            row = SparseRow();
            inRow = false;
        } else if (inRow && xml.isStartElement() && xml.name() == u"c") {
            if (!readCell(xml, row, &nextColumn))
                return false;
        }
    }
    if (xml.hasError()) {
        // The row being read when the XML broke is the damaged one; the rows before it are whole.
        m_result->damagedRow = inRow ? row.line : nextRow;
        m_result->damage = u"工作表在第 %1 行处损坏（%2）"_s.arg(m_result->damagedRow).arg(xmlPlace(xml));
    }
    return finish();
}

bool SheetReader::readCell(QXmlStreamReader &xml, SparseRow &row, int *nextColumn)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString type = attributes.value(u"t"_s).toString();
    int column = columnOf(attributes.value(u"r"_s));
    if (column < 0)
        column = *nextColumn;
    if (column > 16383) {
        m_result->error = u"工作表第 %1 行的单元格超出了 16384 列"_s.arg(row.line);
        return false;
    }
    *nextColumn = column + 1;
    QString value;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"c")
            break;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"v")
            value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        else if (xml.name() == u"is")
            value = richText(xml);
    }
    if (xml.hasError())
        return true;
    if (type == u"s") {
        bool ok = false;
        const int index = value.trimmed().toInt(&ok);
        value = ok && index >= 0 && index < m_strings.size() ? m_strings.at(index) : QString();
    }
    m_present[static_cast<size_t>(column)] = true;
    row.lastColumn = std::max(row.lastColumn, column);
    if (value.trimmed().isEmpty())
        return true;
    if (++m_cells > m_cellLimit) {
        m_result->error = u"工作表超过 %1 个单元格，不像是一份账单，读到第 %2 行时停止读取"_s.arg(m_cellLimit)
                              .arg(row.line);
        return false;
    }
    m_cellTexts.emplace_back(column, std::move(value));
    return true;
}

// Columns that hold no cell in any row are left out, so a row is as wide as the columns the
// sheet uses, not as its last column's letters say.
bool SheetReader::finish()
{
    std::vector<int> dense(m_present.size(), -1);
    int used = 0;
    for (size_t column = 0; column < m_present.size(); ++column) {
        if (m_present[column])
            dense[column] = used++;
    }
    qint64 padded = 0;
    for (const SparseRow &row : m_rows)
        padded += dense[static_cast<size_t>(row.lastColumn)] + 1;
    if (padded > m_cellLimit) {
        m_result->error = u"工作表超过 %1 个单元格，不像是一份账单，已停止读取"_s.arg(m_cellLimit);
        return false;
    }
    TableRecords &records = m_result->table.records;
    records.reserve(m_rows.size());
    for (const SparseRow &row : m_rows) {
        TableRecord record;
        record.line = row.line;
        record.fields.resize(dense[static_cast<size_t>(row.lastColumn)] + 1);
        for (size_t cell = row.firstCell; cell < row.endCell; ++cell) {
            auto &[column, value] = m_cellTexts[cell];
            record.fields[dense[static_cast<size_t>(column)]] = std::move(value);
        }
        records.push_back(std::move(record));
    }
    m_rows.clear();
    m_cellTexts.clear();
    return true;
}

} // namespace

bool XlsxTable::looksLikeZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04");
}

XlsxTable::Result XlsxTable::read(const QByteArray &bytes, qint64 inflateLimit, qint64 cellLimit)
{
    Result result;
    result.table.fromWorkbook = true;
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *source =
        zip_source_buffer_create(bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0, &zipError);
    if (!source) {
        zip_error_fini(&zipError);
        result.error = u"表格文件无法打开"_s;
        return result;
    }
    std::unique_ptr<zip_t, ArchiveCloser> archive(
        zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError));
    zip_error_fini(&zipError);
    if (!archive) {
        zip_source_free(source);
        result.error = u"表格文件不完整或已损坏（不是有效的 xlsx 压缩包）"_s;
        return result;
    }

    Inflater inflater(archive.get(), inflateLimit);
    QString error;
    const QByteArray workbook = inflater.entry(u"xl/workbook.xml"_s, &error).value_or(QByteArray());
    const QByteArray relations =
        inflater.entry(u"xl/_rels/workbook.xml.rels"_s, &error).value_or(QByteArray());
    if (!error.isEmpty()) {
        result.error = error;
        return result;
    }
    const QString sheetPath = firstSheetPath(workbook, relations, &result.table.date1904);
    const QByteArray stringBytes = inflater.entry(u"xl/sharedStrings.xml"_s, &error).value_or(QByteArray());
    if (!error.isEmpty()) {
        result.error = error;
        return result;
    }
    const std::optional<QStringList> strings = sharedStrings(stringBytes, cellLimit, &error);
    if (!strings) {
        result.error = error;
        return result;
    }
    const std::optional<QByteArray> sheet = inflater.entry(sheetPath, &error);
    if (!error.isEmpty()) {
        result.error = error;
        return result;
    }
    if (!sheet) {
        result.error = u"压缩包里没有工作表，不是 xlsx 表格"_s;
        return result;
    }
    SheetReader reader(*strings, cellLimit, &result);
    if (!reader.read(*sheet))
        result.table.records.clear();
    return result;
}
