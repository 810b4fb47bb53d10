// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZipWriter.h"

#include "CRC32.h"

#include <QBuffer>
#include <QIODevice>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 maxCount = 0xFFFE;
constexpr qint64 maxNameBytes = 0xFFFF;
constexpr qint64 max32 = 0xFFFFFFFE;

void u16(QByteArray &out, std::uint32_t value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void u32(QByteArray &out, std::uint32_t value)
{
    u16(out, value & 0xFFFF);
    u16(out, value >> 16);
}

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

QString unfinishedFile()
{
    return u"压缩包中上一个文件尚未写完。"_s;
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

ZipWriter::Writer::Writer(QIODevice &device) : m_device(device) {}

bool ZipWriter::Writer::fail(const QString &reason)
{
    if (!m_failed)
        m_error = reason;
    m_failed = true;
    return false;
}

bool ZipWriter::Writer::put(QByteArrayView bytes)
{
    if (m_failed)
        return false;
    // A file may take part of the bytes and stop, as a disk does when it fills up, without a
    // reason; asking again for the rest is what fails with the system's reason.
    while (!bytes.isEmpty()) {
        const qint64 written = m_device.write(bytes.data(), bytes.size());
        if (written <= 0)
            return fail(m_device.errorString());
        bytes = bytes.sliced(written);
        m_length += written;
    }
    return true;
}

bool ZipWriter::Writer::begin(const QString &name, std::uint32_t crc, qint64 size)
{
    if (m_open)
        return fail(unfinishedFile());
    Record record{name.toUtf8(), crc, size, m_length};
    QByteArray header;
    header.reserve(localHeaderSize + record.name.size());
    u32(header, 0x04034B50);
    u16(header, 20); // version needed to extract
    u16(header, flags(record.name));
    u16(header, 0); // stored
    u16(header, 0); // time
    u16(header, 0); // date
    u32(header, crc);
    u32(header, static_cast<std::uint32_t>(size)); // stored size
    u32(header, static_cast<std::uint32_t>(size));
    u16(header, static_cast<std::uint32_t>(record.name.size()));
    u16(header, 0); // extra field length
    header.append(record.name);
    m_records.push_back(std::move(record));
    return put(header);
}

bool ZipWriter::Writer::open(const QString &name)
{
    // The checksum and sizes stay zero until close() knows them.
    if (!begin(name, 0, 0))
        return false;
    m_open = true;
    return true;
}

bool ZipWriter::Writer::append(QByteArrayView piece)
{
    if (m_failed || !m_open)
        return false;
    Record &record = m_records.back();
    record.crc = CRC32::update(record.crc, piece);
    record.size += piece.size();
    return put(piece);
}

bool ZipWriter::Writer::close()
{
    if (m_failed || !m_open)
        return false;
    m_open = false;
    const Record &record = m_records.back();
    if (record.size == 0)
        return true;
    QByteArray fields;
    u32(fields, record.crc);
    u32(fields, static_cast<std::uint32_t>(record.size));
    u32(fields, static_cast<std::uint32_t>(record.size));
    // The three fields sit 14 bytes into the local header.
    if (!m_device.seek(record.offset + 14) || m_device.write(fields) != fields.size() ||
        !m_device.seek(m_length))
        return fail(m_device.errorString());
    return true;
}

bool ZipWriter::Writer::add(const QString &name, QByteArrayView content)
{
    return begin(name, CRC32::checksum(content), content.size()) && put(content);
}

bool ZipWriter::Writer::fits()
{
    std::vector<Extent> extents;
    extents.reserve(m_records.size());
    for (const Record &record : m_records)
        extents.push_back({record.name.size(), record.size});
    if (QString reason = limitError(extents); !reason.isEmpty())
        return fail(reason);
    return true;
}

bool ZipWriter::Writer::finish()
{
    if (m_open)
        return fail(unfinishedFile());
    if (m_failed || !fits())
        return false;
    QByteArray tail;
    tail.reserve(m_records.size() * (centralHeaderSize + 32) + endRecordSize);
    for (const Record &record : m_records) {
        u32(tail, 0x02014B50);
        u16(tail, 20); // version made by
        u16(tail, 20); // version needed to extract
        u16(tail, flags(record.name));
        u16(tail, 0); // stored
        u16(tail, 0); // time
        u16(tail, 0); // date
        u32(tail, record.crc);
        u32(tail, static_cast<std::uint32_t>(record.size));
        u32(tail, static_cast<std::uint32_t>(record.size));
        u16(tail, static_cast<std::uint32_t>(record.name.size()));
        u16(tail, 0); // extra field length
        u16(tail, 0); // comment length
        u16(tail, 0); // disk number start
        u16(tail, 0); // internal attributes
        u32(tail, 0); // external attributes
        u32(tail, static_cast<std::uint32_t>(record.offset));
        tail.append(record.name);
    }
    const qint64 directorySize = tail.size();
    u32(tail, 0x06054B50);
    u16(tail, 0); // this disk
    u16(tail, 0); // disk of the central directory
    u16(tail, static_cast<std::uint32_t>(m_records.size()));
    u16(tail, static_cast<std::uint32_t>(m_records.size()));
    u32(tail, static_cast<std::uint32_t>(directorySize));
    u32(tail, static_cast<std::uint32_t>(m_length));
    u16(tail, 0); // comment length
    return put(tail);
}

bool ZipWriter::write(QIODevice &device, const std::vector<File> &files, QString *error)
{
    Writer writer(device);
    for (const File &file : files)
        if (!writer.add(file.name, file.content))
            break;
    const bool written = writer.finish();
    if (!written && error)
        *error = writer.errorString();
    return written;
}

std::optional<QByteArray> ZipWriter::archive(const std::vector<File> &files, QString *error)
{
    std::vector<Extent> extents;
    extents.reserve(files.size());
    for (const File &file : files)
        extents.push_back({file.name.toUtf8().size(), file.content.size()});
    return inMemory([&](QIODevice &device) { return write(device, files, error); }, archiveSize(extents));
}

std::optional<QByteArray> ZipWriter::inMemory(const std::function<bool(QIODevice &)> &write,
                                              qint64 expectedSize)
{
    QByteArray bytes;
    bytes.reserve(expectedSize);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return std::nullopt;
    buffer.close();
    return bytes;
}
