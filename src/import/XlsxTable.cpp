// SPDX-License-Identifier: GPL-3.0-or-later
#include "XlsxTable.h"

#include <QHash>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <optional>

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

QStringList sharedStrings(const QByteArray &bytes)
{
    QStringList strings;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings.append(richText(xml));
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

bool readSheet(const QByteArray &bytes, const QStringList &strings, ImportTable *table)
{
    QXmlStreamReader xml(bytes);
    TableRecord record;
    int nextRow = 1;
    int nextColumn = 0;
    bool inRow = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"row") {
            bool ok = false;
            const int number = xml.attributes().value(u"r"_s).toInt(&ok);
            record = TableRecord();
            record.line = ok && number > 0 ? number : nextRow;
            nextRow = record.line + 1;
            nextColumn = 0;
            inRow = true;
        } else if (xml.isEndElement() && xml.name() == u"row") {
            bool blank = true;
            for (const QString &field : std::as_const(record.fields))
                blank = blank && field.trimmed().isEmpty();
            if (!blank)
                table->records.push_back(std::move(record));
            record = TableRecord();
            inRow = false;
        } else if (inRow && xml.isStartElement() && xml.name() == u"c") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString type = attributes.value(u"t"_s).toString();
            int column = columnOf(attributes.value(u"r"_s));
            if (column < 0)
                column = nextColumn;
            if (column > 16383)
                return false;
            nextColumn = column + 1;
            QString value;
            while (!xml.atEnd()) {
                xml.readNext();
                if (xml.isEndElement() && xml.name() == u"c")
                    break;
                if (!xml.isStartElement())
                    continue;
                if (xml.name() == u"v") {
                    value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                } else if (xml.name() == u"is") {
                    value = richText(xml);
                }
            }
            if (type == u"s") {
                bool ok = false;
                const int index = value.trimmed().toInt(&ok);
                value = ok && index >= 0 && index < strings.size() ? strings.at(index) : QString();
            }
            while (record.fields.size() <= column)
                record.fields.append(QString());
            record.fields[column] = value;
        }
    }
    return !xml.hasError();
}

} // namespace

bool XlsxTable::looksLikeZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04");
}

XlsxTable::Result XlsxTable::read(const QByteArray &bytes, qint64 inflateLimit)
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
    const QStringList strings =
        sharedStrings(inflater.entry(u"xl/sharedStrings.xml"_s, &error).value_or(QByteArray()));
    if (!error.isEmpty()) {
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
    if (!readSheet(*sheet, strings, &result.table) && result.table.records.empty())
        result.error = u"工作表已损坏，无法读取"_s;
    return result;
}
