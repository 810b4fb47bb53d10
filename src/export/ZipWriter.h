// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

// Packs files into one zip archive, every file stored uncompressed: local headers with the
// data, the central directory and the end record, with no timestamps, extra fields, comments,
// data descriptors or 64-bit extensions. The only flag ever set is the UTF-8 flag, on entries
// whose names are not plain ASCII.
namespace ZipWriter {

struct File {
    QString name;
    QByteArray content;
};

// The sizes of one file as the layout sees them.
struct Extent {
    qint64 nameBytes = 0;
    qint64 contentBytes = 0;
};

// The archive of the files in their order, or nullopt and the reason when the files do not
// fit the layout's 16-bit counts and name lengths or 32-bit sizes and offsets. A value that
// does not fit would be cut short and read back as a different, corrupt archive.
std::optional<QByteArray> archive(const std::vector<File> &files, QString *error = nullptr);
// The same archive written to the device, contents straight from their buffers rather than
// copied into one; false and the reason when it does not fit or the device fails.
bool write(QIODevice &device, const std::vector<File> &files, QString *error = nullptr);

// What the function writes to a device, as bytes in memory, or nullopt when it returns false.
std::optional<QByteArray> inMemory(const std::function<bool(QIODevice &)> &write, qint64 expectedSize = 0);

// Why files of these sizes cannot be archived, or an empty text when they can. The all-ones
// values of the 32-bit fields and of the entry count mean "see the 64-bit record" to readers,
// so they are refused as well.
QString limitError(std::span<const Extent> extents);

// Writes an archive to a seekable device file by file, a file's content whole or in pieces
// as it is made, so that a large one never has to sit in memory at once. The checksum and
// sizes of a file written in pieces are set in its header once it is complete. After the
// first failure every call returns false and the device is left alone; the archive is only
// whole once finish() returned true.
class Writer {
public:
    explicit Writer(QIODevice &device);

    bool add(const QString &name, QByteArrayView content);

    bool open(const QString &name);
    bool append(QByteArrayView piece);
    bool close();

    // The central directory and the end record.
    bool finish();

    // Why the archive failed: the layout's limits or the device's error.
    QString errorString() const { return m_error; }

private:
    struct Record {
        QByteArray name;
        std::uint32_t crc = 0;
        qint64 size = 0;
        qint64 offset = 0;
    };

    // Writes a local header and starts the file's record.
    bool begin(const QString &name, std::uint32_t crc, qint64 size);
    bool put(QByteArrayView bytes);
    bool fail(const QString &reason);
    bool fits();

    QIODevice &m_device;
    std::vector<Record> m_records;
    qint64 m_length = 0;
    bool m_open = false;
    bool m_failed = false;
    QString m_error;
};

// Bytes of the local header plus the central header of one file, besides its name (twice)
// and content; the end record adds endRecordSize once.
inline constexpr qint64 localHeaderSize = 30;
inline constexpr qint64 centralHeaderSize = 46;
inline constexpr qint64 endRecordSize = 22;

} // namespace ZipWriter
