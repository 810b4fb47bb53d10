#include "ZipWriter.h"

#include "CRC32.h"

#include <QIODevice>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 maxCount = 0xFFFE;
constexpr qint64 maxNameBytes = 0xFFFF;
constexpr qint64 max32 = 0xFFFFFFFE;

// Collects the archive: little-endian numbers and small pieces in a buffer; with a device,
// large contents go to it directly instead of being copied into the buffer first.
class Output {
public:
    Output(QIODevice *device, qint64 size) : m_device(device) { m_bytes.reserve(device ? 4096 : size); }

    void u16(std::uint32_t value)
    {
        m_bytes.append(char(value & 0xFF));
        m_bytes.append(char((value >> 8) & 0xFF));
    }
    void u32(std::uint32_t value)
    {
        u16(value & 0xFFFF);
        u16(value >> 16);
    }
    void bytes(const QByteArray &data)
    {
        if (!m_device || data.size() < 65536) {
            m_bytes.append(data);
            return;
        }
        flush();
        if (m_ok)
            m_ok = m_device->write(data) == data.size();
        m_written += data.size();
    }
    qint64 length() const { return m_written + m_bytes.size(); }
    // Whether everything reached the device.
    bool flush()
    {
        if (m_device && !m_bytes.isEmpty()) {
            if (m_ok)
                m_ok = m_device->write(m_bytes) == m_bytes.size();
            m_written += m_bytes.size();
            m_bytes.clear();
        }
        return m_ok;
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    QIODevice *m_device;
    QByteArray m_bytes;
    qint64 m_written = 0;
    bool m_ok = true;
};

// Readers take a name without the UTF-8 flag (bit 11) for code page 437, which garbles any
// non-ASCII name; ASCII names, the workbook's among them, keep the flags at zero.
std::uint32_t flags(const QByteArray &name)
{
    const bool ascii = std::all_of(name.begin(), name.end(), [](char c) { return (c & 0x80) == 0; });
    return ascii ? 0 : 0x0800;
}

qint64 archiveSize(std::span<const ZipWriter::Extent> extents)
{
    qint64 size = ZipWriter::endRecordSize;
    for (const ZipWriter::Extent &e : extents)
        size += ZipWriter::localHeaderSize + ZipWriter::centralHeaderSize + 2 * e.nameBytes + e.contentBytes;
    return size;
}

} // namespace

QString ZipWriter::limitError(std::span<const Extent> extents)
{
    if (qint64(extents.size()) > maxCount)
        return u"压缩包最多容纳 %1 个文件，这里有 %2 个。"_s.arg(maxCount).arg(extents.size());
    qint64 offset = 0;
    qint64 directory = 0;
    for (const Extent &e : extents) {
        if (e.nameBytes > maxNameBytes)
            return u"文件名长 %1 字节，超过压缩包允许的 %2 字节。"_s.arg(e.nameBytes).arg(maxNameBytes);
        if (e.contentBytes > max32)
            return u"文件大小 %1 字节，超过压缩包允许的 %2 字节。"_s.arg(e.contentBytes).arg(max32);
        if (offset > max32)
            return u"压缩包超过 %1 字节，无法记录文件的位置。"_s.arg(max32);
        offset += localHeaderSize + e.nameBytes + e.contentBytes;
        directory += centralHeaderSize + e.nameBytes;
    }
    if (offset > max32 || directory > max32)
        return u"压缩包超过 %1 字节，无法记录目录的位置。"_s.arg(max32);
    return {};
}

namespace ZipWriter {
namespace {

// The archive as bytes, or with a device, written to it (the bytes then empty); nullopt when
// the files do not fit the layout or the device refused them.
std::optional<QByteArray> assemble(const std::vector<File> &files, QIODevice *device, QString *error)
{
    std::vector<QByteArray> names;
    std::vector<Extent> extents;
    names.reserve(files.size());
    extents.reserve(files.size());
    for (const File &file : files) {
        names.push_back(file.name.toUtf8());
        extents.push_back({names.back().size(), file.content.size()});
    }
    if (QString reason = limitError(extents); !reason.isEmpty()) {
        if (error)
            *error = reason;
        return std::nullopt;
    }

    Output out(device, archiveSize(extents));
    std::vector<Record> records;
    records.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QByteArray &content = files[i].content;
        Record record{names[i], CRC32::checksum(content), static_cast<std::uint32_t>(content.size()),
                      static_cast<std::uint32_t>(out.length())};
        out.u32(0x04034B50);
        out.u16(20); // version needed to extract
        out.u16(flags(record.name));
        out.u16(0); // stored
        out.u16(0); // time
        out.u16(0); // date
        out.u32(record.crc);
        out.u32(record.size);
        out.u32(record.size);
        out.u16(static_cast<std::uint32_t>(record.name.size()));
        out.u16(0); // extra field length
        out.bytes(record.name);
        out.bytes(content);
        records.push_back(std::move(record));
    }

    const qint64 directoryStart = out.length();
    for (const Record &record : records) {
        out.u32(0x02014B50);
        out.u16(20); // version made by
        out.u16(20); // version needed to extract
        out.u16(flags(record.name));
        out.u16(0); // stored
        out.u16(0); // time
        out.u16(0); // date
        out.u32(record.crc);
        out.u32(record.size);
        out.u32(record.size);
        out.u16(static_cast<std::uint32_t>(record.name.size()));
        out.u16(0); // extra field length
        out.u16(0); // comment length
        out.u16(0); // disk number start
        out.u16(0); // internal attributes
        out.u32(0); // external attributes
        out.u32(record.offset);
        out.bytes(record.name);
    }
    const qint64 directorySize = out.length() - directoryStart;

    out.u32(0x06054B50);
    out.u16(0); // this disk
    out.u16(0); // disk of the central directory
    out.u16(static_cast<std::uint32_t>(records.size()));
    out.u16(static_cast<std::uint32_t>(records.size()));
    out.u32(static_cast<std::uint32_t>(directorySize));
    out.u32(static_cast<std::uint32_t>(directoryStart));
    out.u16(0); // comment length
    if (!out.flush()) {
        if (error)
            *error = device->errorString();
        return std::nullopt;
    }
    return out.take();
}

} // namespace
} // namespace ZipWriter

std::optional<QByteArray> ZipWriter::archive(const std::vector<File> &files, QString *error)
{
    return assemble(files, nullptr, error);
}

bool ZipWriter::write(QIODevice &device, const std::vector<File> &files, QString *error)
{
    return assemble(files, &device, error).has_value();
}
