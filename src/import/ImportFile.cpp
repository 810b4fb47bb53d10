// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportFile.h"

#include "CsvTable.h"
#include "QifReader.h"
#include "TextDecoder.h"
#include "XlsxTable.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct LayoutHeader {
    ImportFile::Layout layout;
    QStringList names;
};

// The columns each payment-service layout must have; other columns may come and go.
const std::array<LayoutHeader, 3> &layoutHeaders()
{
    static const std::array<LayoutHeader, 3> headers{{
        {ImportFile::Layout::wechat,
         {u"交易时间"_s, u"交易类型"_s, u"交易对方"_s, u"收/支"_s, u"金额(元)"_s, u"当前状态"_s,
          u"交易单号"_s}},
        {ImportFile::Layout::alipay,
         {u"交易时间"_s, u"交易分类"_s, u"交易对方"_s, u"收/支"_s, u"金额"_s, u"交易状态"_s,
          u"交易订单号"_s}},
        {ImportFile::Layout::alipayOlder,
         {u"交易号"_s, u"交易创建时间"_s, u"交易对方"_s, u"金额（元）"_s, u"收/支"_s, u"交易状态"_s}},
    }};
    return headers;
}

QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024)
        return u"%1 MiB"_s.arg(bytes / (1024 * 1024));
    return u"%1 KiB"_s.arg(bytes / 1024);
}

QString tooLarge(const QString &fileName, qint64 limit)
{
    return u"“%1”超过 %2，太大了，不像是一份账单；请导出较短的时间段"_s.arg(fileName, sizeText(limit));
}

// How far into a file the header line may lie (the payment services put a summary first).
constexpr size_t headerSearchRecords = 60;

QStringList trimmedFields(const QStringList &fields)
{
    QStringList names;
    names.reserve(fields.size());
    for (const QString &field : fields)
        names.append(field.trimmed());
    return names;
}

int filledFields(const QStringList &fields)
{
    int filled = 0;
    for (const QString &field : fields)
        filled += field.trimmed().isEmpty() ? 0 : 1;
    return filled;
}

void findHeader(ImportFile *file)
{
    const std::vector<TableRecord> &records = file->table.records;
    const size_t searched = std::min(records.size(), headerSearchRecords);
    for (size_t i = 0; i < searched; ++i) {
        const QStringList names = trimmedFields(records[i].fields);
        for (const LayoutHeader &layout : layoutHeaders()) {
            bool all = true;
            for (const QString &name : layout.names)
                all = all && names.contains(name);
            if (all) {
                file->layout = layout.layout;
                file->header = names;
                file->headerIndex = i;
                file->headerLine = records[i].line;
                return;
            }
        }
    }
    // Any other table: the columns are named by its first line of two or more filled fields
    // that has as many fields as most of its lines, so a preamble such as 「账户明细,2024年3月」
    // is passed over.
    QHash<qsizetype, int> linesWithWidth;
    for (const TableRecord &record : records) {
        if (filledFields(record.fields) >= 2)
            ++linesWithWidth[record.fields.size()];
    }
    qsizetype width = 0;
    int widthLines = 0;
    for (auto it = linesWithWidth.cbegin(); it != linesWithWidth.cend(); ++it) {
        if (it.value() > widthLines || (it.value() == widthLines && it.key() > width)) {
            width = it.key();
            widthLines = it.value();
        }
    }
    // Some banks end every data line with a delimiter but not the header line, which then
    // has one field fewer: a line that short, every field named, heads the table too.
    int widthLinesEndingEmpty = 0;
    for (const TableRecord &record : records) {
        if (record.fields.size() == width && filledFields(record.fields) >= 2 &&
            record.fields.last().trimmed().isEmpty())
            ++widthLinesEndingEmpty;
    }
    const bool trailingDelimiter = widthLines > 0 && widthLinesEndingEmpty * 2 > widthLines;
    const auto headsTable = [&](const QStringList &fields) {
        const int filled = filledFields(fields);
        if (fields.size() == width)
            return filled >= 2;
        return trailingDelimiter && fields.size() == width - 1 && filled >= 2 && filled == fields.size();
    };
    for (size_t i = 0; i < records.size(); ++i) {
        if (headsTable(records[i].fields)) {
            file->layout = ImportFile::Layout::table;
            file->header = trimmedFields(records[i].fields);
            file->headerIndex = i;
            file->headerLine = records[i].line;
            return;
        }
    }
    file->error = u"“%1”不是账单或表格：找不到列名所在的一行"_s.arg(file->fileName);
}

} // namespace

ImportSource ImportFile::source() const
{
    switch (layout) {
    case Layout::wechat:
        return ImportSource::wechat;
    case Layout::alipay:
    case Layout::alipayOlder:
        return ImportSource::alipay;
    case Layout::qif:
        return ImportSource::qif;
    case Layout::ofx:
        return ImportSource::ofx;
    case Layout::table:
        break;
    }
    return ImportSource::csv;
}

ImportFile ImportFile::load(const QString &path, const ImportLimits &limits)
{
    const QString name = QFileInfo(path).fileName();
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        ImportFile file;
        file.fileName = name;
        file.error = u"无法打开“%1”：%2"_s.arg(name, source.errorString());
        return file;
    }
    // The size first, so a huge file is refused unread; then one byte past the limit, so a
    // file that grows while being read (or a pipe) is caught too.
    if (!source.isSequential() && source.size() > limits.maxFileBytes) {
        ImportFile file;
        file.fileName = name;
        file.error = tooLarge(name, limits.maxFileBytes);
        return file;
    }
    const QByteArray bytes = source.read(limits.maxFileBytes + 1);
    if (bytes.size() > limits.maxFileBytes) {
        ImportFile file;
        file.fileName = name;
        file.error = tooLarge(name, limits.maxFileBytes);
        return file;
    }
    return fromBytes(bytes, name, limits);
}

ImportFile ImportFile::fromBytes(const QByteArray &bytes, const QString &fileName, const ImportLimits &limits)
{
    ImportFile file;
    file.fileName = fileName;
    if (bytes.size() > limits.maxFileBytes) {
        file.error = tooLarge(fileName, limits.maxFileBytes);
        return file;
    }
    if (bytes.trimmed().isEmpty()) {
        file.error = u"“%1”是空文件"_s.arg(fileName);
        return file;
    }
    if (XlsxTable::looksLikeZip(bytes)) {
        XlsxTable::Result workbook = XlsxTable::read(bytes, limits.maxInflatedBytes);
        if (!workbook.error.isEmpty()) {
            file.error = u"“%1”：%2"_s.arg(fileName, workbook.error);
            return file;
        }
        file.encoding = u"xlsx"_s;
        file.table = std::move(workbook.table);
    } else if (OfxReader::looksLikeOfx(bytes)) {
        file.layout = Layout::ofx;
        file.encoding = u"OFX"_s;
        file.statement = OfxReader::load(bytes);
        if (!file.statement.error.isEmpty())
            file.error = u"“%1”：%2"_s.arg(fileName, file.statement.error);
        return file;
    } else {
        TextDecoder::Decoded decoded = TextDecoder::decode(bytes);
        const bool qif = QifReader::looksLikeQif(bytes);
        // QIF files of programs outside China are often in a Western single-byte encoding.
        if (qif && !decoded.error.isEmpty() && !bytes.contains('\0')) {
            decoded.text = QString::fromLatin1(bytes);
            decoded.encoding = u"Latin-1"_s;
            decoded.error.clear();
        }
        if (!decoded.error.isEmpty()) {
            file.error = u"“%1”：%2"_s.arg(fileName, decoded.error);
            return file;
        }
        file.encoding = decoded.encoding;
        if (qif) {
            file.layout = Layout::qif;
            file.text = std::move(decoded.text);
            return file;
        }
        if (QifReader::looksLikeHeaderlessQif(decoded.text)) {
            file.error =
                u"“%1”像是 QIF 文件，却没有“!Type:”开头的类型行，看不出是哪种账户的记录"_s.arg(fileName);
            return file;
        }
        file.table = CsvTable::parse(decoded.text, CsvTable::detectDelimiter(decoded.text));
    }
    findHeader(&file);
    return file;
}
