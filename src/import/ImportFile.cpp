// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportFile.h"

#include "CsvTable.h"
#include "QifReader.h"
#include "TextDecoder.h"
#include "XlsxTable.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    const TableRecords &records = file->table.records;
    const size_t searched = std::min(records.size(), headerSearchRecords);
    for (size_t i = 0; i < searched; ++i) {
        const TableRecord record = records[i];
        const QStringList names = trimmedFields(record.fields);
        for (const LayoutHeader &layout : layoutHeaders()) {
            bool all = true;
            for (const QString &name : layout.names)
                all = all && names.contains(name);
            if (all) {
                file->layout = layout.layout;
                file->header = names;
                file->headerIndex = i;
                file->headerLine = record.line;
                return;
            }
        }
    }
    // Any other table: the columns are named by its first line of two or more filled fields
    // that has as many fields as most of its lines, so a preamble such as 「账户明细,2024年3月」
    // is passed over.
    QHash<qsizetype, int> linesWithWidth;
    for (size_t i = 0; i < records.size(); ++i) {
        if (const TableRecords::Shape shape = records.shapeAt(i); shape.filled >= 2)
            ++linesWithWidth[shape.fields];
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
    // Told from the first lines of that width: splitting every line of a large file for it
    // would cost more than the whole header search.
    int sampled = 0;
    int widthLinesEndingEmpty = 0;
    for (size_t i = 0; i < records.size() && sampled < 4096; ++i) {
        if (const TableRecords::Shape shape = records.shapeAt(i); shape.fields != width || shape.filled < 2)
            continue;
        ++sampled;
        if (records[i].fields.last().trimmed().isEmpty())
            ++widthLinesEndingEmpty;
    }
    const bool trailingDelimiter = sampled > 0 && widthLinesEndingEmpty * 2 > sampled;
    const auto headsTable = [&](const QStringList &fields) {
        const int filled = filledFields(fields);
        if (fields.size() == width)
            return filled >= 2;
        return trailingDelimiter && fields.size() == width - 1 && filled >= 2 && filled == fields.size();
    };
    for (size_t i = 0; i < records.size(); ++i) {
        if (const TableRecords::Shape shape = records.shapeAt(i);
            (shape.fields != width && shape.fields != width - 1) || shape.filled < 2)
            continue;
        const TableRecord record = records[i];
        if (headsTable(record.fields)) {
            file->layout = ImportFile::Layout::table;
            file->header = trimmedFields(record.fields);
            file->headerIndex = i;
            file->headerLine = record.line;
            return;
        }
    }
    file->error = u"“%1”不是账单或表格：找不到列名所在的一行"_s.arg(file->fileName);
}

// The first lines of the text, enough for the delimiter's count of lines; cut at a line end
// (a character boundary too).
QString textStart(const TextDecoder::Utf8Text &text)
{
    constexpr qsizetype sample = 256 * 1024;
    qsizetype end = text.end;
    if (end - text.begin > sample) {
        const qsizetype lineEnd = text.bytes.lastIndexOf('\n', text.begin + sample);
        end = lineEnd > text.begin ? lineEnd : text.begin + sample;
        // Not inside a character.
        while (end > text.begin && (static_cast<unsigned char>(text.bytes.at(end)) & 0xC0) == 0x80)
            --end;
    }
    return QString::fromUtf8(text.bytes.constData() + text.begin, end - text.begin);
}

// Whether a text's first field could open a headerless QIF record, as the full test asks.
bool looksLikeHeaderlessQifStart(const QString &start)
{
    static const QRegularExpression firstField(uR"(^\s*[DT][-+0-9 ])"_s);
    return firstField.match(start).hasMatch();
}

// Reads a regular file in one go, at most limit bytes. Anything else is refused before a byte
// is read: a pipe or FIFO may never end (or never start, with no writer), a device may be
// endless, and what a pipe gave once it does not give again.
bool readRegularFile(const QString &path, qint64 limit, QByteArray *bytes, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    // Opening a FIFO without O_NONBLOCK waits for a writer, which may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        *error = u"无法打开“%1”：%2"_s.arg(name, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const auto closer = qScopeGuard([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        *error = u"无法读取“%1”：%2"_s.arg(name, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        *error = u"“%1”是文件夹，不是文件"_s.arg(name);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = u"“%1”不是普通文件，而是管道、设备或套接字，无法导入；请先把内容存成文件再导入"_s.arg(name);
        return false;
    }
    // The size first, so a huge file is refused unread; then one byte past the limit, so a
    // file that grows while being read is caught too.
    if (info.st_size > limit) {
        *error = tooLarge(name, limit);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    bytes->resize(qsizetype(info.st_size) + 1);
    qsizetype got = 0;
    for (;;) {
        if (got == bytes->size()) {
            if (got > limit)
                break;
            bytes->resize(std::min<qsizetype>(got * 2, qsizetype(limit) + 1));
        }
        const ssize_t n = ::read(fd, bytes->data() + got, size_t(bytes->size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = u"无法读取“%1”：%2"_s.arg(name, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit) {
        *error = tooLarge(name, limit);
        return false;
    }
    bytes->truncate(got);
    return true;
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
    ImportFile file;
    file.fileName = QFileInfo(path).fileName();
    QByteArray bytes;
    if (!readBytes(path, limits, &bytes, &file.error))
        return file;
    return fromBytes(bytes, file.fileName, limits);
}

bool ImportFile::readBytes(const QString &path, const ImportLimits &limits, QByteArray *bytes, QString *error)
{
    return readRegularFile(path, limits.maxFileBytes, bytes, error);
}

ImportFile ImportFile::fromBytes(const QByteArray &bytes, const QString &fileName, const ImportLimits &limits)
{
    ImportFile file;
    file.fileName = fileName;
    if (bytes.size() > limits.maxFileBytes) {
        file.error = tooLarge(fileName, limits.maxFileBytes);
        return file;
    }
    // A view: trimming the array itself would copy the whole file.
    if (QByteArrayView(bytes).trimmed().isEmpty()) {
        file.error = u"“%1”是空文件"_s.arg(fileName);
        return file;
    }
    if (XlsxTable::looksLikeZip(bytes)) {
        XlsxTable::Result workbook = XlsxTable::read(bytes, limits.maxInflatedBytes, limits.maxCells);
        if (!workbook.error.isEmpty()) {
            file.error = u"“%1”：%2"_s.arg(fileName, workbook.error);
            return file;
        }
        file.encoding = u"xlsx"_s;
        file.table = std::move(workbook.table);
        if (!workbook.damage.isEmpty()) {
            file.damage = workbook.damage;
            file.damageLine = workbook.damagedRow;
            file.damageStopsImport = true;
        }
    } else if (OfxReader::looksLikeOfx(bytes)) {
        file.layout = Layout::ofx;
        file.encoding = u"OFX"_s;
        file.statement = OfxReader::load(bytes);
        if (!file.statement.error.isEmpty()) {
            file.error = u"“%1”：%2"_s.arg(fileName, file.statement.error);
        } else if (!file.statement.damage.isEmpty()) {
            file.damage = file.statement.damages > 1
                              ? u"%1（共 %2 处损坏）"_s.arg(file.statement.damage).arg(file.statement.damages)
                              : file.statement.damage;
            file.damageLine = file.statement.damageLine;
        }
        return file;
    } else if (QifReader::looksLikeQif(bytes)) {
        TextDecoder::Decoded decoded = TextDecoder::decode(bytes);
        // QIF files of programs outside China are often in a Western single-byte encoding.
        if (!decoded.error.isEmpty() && !bytes.contains('\0')) {
            decoded.text = QString::fromLatin1(bytes);
            decoded.encoding = u"Latin-1"_s;
            decoded.error.clear();
        }
        if (!decoded.error.isEmpty()) {
            file.error = u"“%1”：%2"_s.arg(fileName, decoded.error);
            return file;
        }
        file.encoding = decoded.encoding;
        file.layout = Layout::qif;
        file.text = std::move(decoded.text);
        return file;
    } else {
        TextDecoder::Utf8Text decoded = TextDecoder::toUtf8(bytes);
        if (!decoded.error.isEmpty()) {
            file.error = u"“%1”：%2"_s.arg(fileName, decoded.error);
            return file;
        }
        file.encoding = decoded.encoding;
        // The delimiter and the QIF look are told from the start of the text: decoding all of
        // a large file into UTF-16 for them would double what it takes in memory.
        const QString start = textStart(decoded);
        if (QifReader::looksLikeHeaderlessQif(start) ||
            (start.size() < decoded.end - decoded.begin && looksLikeHeaderlessQifStart(start) &&
             QifReader::looksLikeHeaderlessQif(QString::fromUtf8(decoded.bytes.constData() + decoded.begin,
                                                                 decoded.end - decoded.begin)))) {
            qsizetype blank = 0;
            while (blank < start.size() && start.at(blank).isSpace())
                ++blank;
            file.error =
                u"“%1”像是 QIF 文件，却在第 %2 行的记录之前没有“!Type:”开头的类型行，看不出是哪种账户的记录"_s
                    .arg(fileName)
                    .arg(QStringView(start).first(blank).count(u'\n') + 1);
            return file;
        }
        file.table = CsvTable::parseUtf8(decoded.bytes, decoded.begin, decoded.end,
                                         char(CsvTable::detectDelimiter(start).unicode()));
    }
    findHeader(&file);
    // A sheet damaged before its header has nothing that could be taken.
    if (!file.ok() && !file.damage.isEmpty())
        file.error = u"“%1”：%2，之前没有可以导入的行"_s.arg(fileName, file.damage);
    return file;
}

int ImportFile::rowsBeforeDamage() const
{
    if (!ok() || !damageStopsImport || table.records.empty())
        return 0;
    return static_cast<int>(table.records.size() - headerIndex - 1);
}
