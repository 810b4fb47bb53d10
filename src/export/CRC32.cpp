#include "CRC32.h"

#include <array>

namespace {

constexpr std::uint32_t polynomial = 0xEDB88320u;

using Tables = std::array<std::array<std::uint32_t, 256>, 16>;

// tables[0] is the classic byte table; tables[k][b] is the register after byte b followed by
// k zero bytes, so sixteen input bytes fold into sixteen independent look-ups.
constexpr Tables makeTables()
{
    Tables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? (crc >> 1) ^ polynomial : crc >> 1;
        tables[0][byte] = crc;
    }
    for (std::size_t k = 1; k < tables.size(); ++k)
        for (std::size_t byte = 0; byte < 256; ++byte)
            tables[k][byte] = (tables[k - 1][byte] >> 8) ^ tables[0][tables[k - 1][byte] & 0xFFu];
    return tables;
}

constexpr Tables tables = makeTables();

std::uint32_t littleEndianWord(const unsigned char *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

} // namespace

std::uint32_t CRC32::checksum(QByteArrayView bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype left = bytes.size();
    while (left >= 16) {
        const std::uint32_t w0 = littleEndianWord(p) ^ crc;
        const std::uint32_t w1 = littleEndianWord(p + 4);
        const std::uint32_t w2 = littleEndianWord(p + 8);
        const std::uint32_t w3 = littleEndianWord(p + 12);
        crc = tables[15][w0 & 0xFFu] ^ tables[14][(w0 >> 8) & 0xFFu] ^ tables[13][(w0 >> 16) & 0xFFu] ^
              tables[12][w0 >> 24] ^ tables[11][w1 & 0xFFu] ^ tables[10][(w1 >> 8) & 0xFFu] ^
              tables[9][(w1 >> 16) & 0xFFu] ^ tables[8][w1 >> 24] ^ tables[7][w2 & 0xFFu] ^
              tables[6][(w2 >> 8) & 0xFFu] ^ tables[5][(w2 >> 16) & 0xFFu] ^ tables[4][w2 >> 24] ^
              tables[3][w3 & 0xFFu] ^ tables[2][(w3 >> 8) & 0xFFu] ^ tables[1][(w3 >> 16) & 0xFFu] ^
              tables[0][w3 >> 24];
        p += 16;
        left -= 16;
    }
    while (left-- > 0)
        crc = (crc >> 8) ^ tables[0][(crc ^ *p++) & 0xFFu];
    return ~crc;
}

std::uint32_t CRC32::bitwiseChecksum(QByteArrayView bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? (crc >> 1) ^ polynomial : crc >> 1;
    }
    return ~crc;
}
