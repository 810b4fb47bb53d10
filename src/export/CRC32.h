#pragma once

#include <QByteArrayView>

#include <cstdint>

// The checksum of the zip format: CRC-32 with the reflected polynomial 0xEDB88320, register
// starting at all ones and inverted at the end. "123456789" gives 0xCBF43926, no bytes give 0.
namespace CRC32 {

// Sixteen bytes per step through sixteen lookup tables: the workbook of a large ledger is tens of
// megabytes, where the one-bit-at-a-time definition would cost more than writing the file.
std::uint32_t checksum(QByteArrayView bytes);

// The same checksum one bit at a time, exactly as the format defines it; the reference the
// table-driven version is checked against.
std::uint32_t bitwiseChecksum(QByteArrayView bytes);

} // namespace CRC32
