// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <cstdint>

// The checksum of the zip format: CRC-32 with the reflected polynomial 0xEDB88320, register
// starting at all ones and inverted at the end. "123456789" gives 0xCBF43926, no bytes give 0.
namespace CRC32 {

std::uint32_t checksum(QByteArrayView bytes);

// The checksum of earlier bytes followed by these: update(checksum(a), b) == checksum(a + b),
// and update(0, b) == checksum(b). A file written piece by piece is checked as it goes.
// Uses the processor's carry-less multiplication where it has one, else tableUpdate.
std::uint32_t update(std::uint32_t crc, QByteArrayView bytes);

// The same through sixteen lookup tables, sixteen bytes per step; what update falls back to,
// and what it uses for short inputs and the bytes past the last full block.
std::uint32_t tableUpdate(std::uint32_t crc, QByteArrayView bytes);

// Whether update folds blocks by carry-less multiplication on this processor.
bool multipliesCarryLess();

// The same checksum one bit at a time, exactly as the format defines it; the reference the
// faster versions are checked against.
std::uint32_t bitwiseChecksum(QByteArrayView bytes);

} // namespace CRC32
