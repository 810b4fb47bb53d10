// SPDX-License-Identifier: GPL-3.0-or-later
#include "CRC32.h"

#include <array>
#include <cstddef>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define PENNYLOOM_CARRY_LESS 1
#include <immintrin.h>
#endif

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

// Works on the register itself, neither set to ones first nor inverted after.
std::uint32_t tableRegister(std::uint32_t crc, const unsigned char *p, std::size_t left)
{
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
    return crc;
}

#ifdef PENNYLOOM_CARRY_LESS

// Sixteen bytes loaded little-endian are a polynomial of degree below 128 whose first bit is
// its highest term. A block followed by D more bits counts, modulo the polynomial, as its
// high half times x^(D+64) plus its low half times x^D; each half times a 32-bit remainder
// still fits 128 bits and is added into the block D bits on. The product of two bit-reversed
// 64-bit values comes out one place short, so the constants are x^(D+63) and x^(D-1).
constexpr std::uint64_t reversedPowerOfX(int exponent)
{
    // x^exponent modulo the polynomial, computed in reversed bit order: x^0 is bit 31.
    std::uint32_t remainder = 0x80000000u;
    for (int i = 0; i < exponent; ++i)
        remainder = (remainder & 1u) ? (remainder >> 1) ^ polynomial : remainder >> 1;
    // As a 64-bit factor whose bit 63 is x^0.
    return std::uint64_t(remainder) << 32;
}

struct FoldConstants {
    std::uint64_t high;
    std::uint64_t low;
};

constexpr FoldConstants foldBy(int bits)
{
    return {reversedPowerOfX(bits + 63), reversedPowerOfX(bits - 1)};
}

constexpr FoldConstants fourBlocks = foldBy(512);
constexpr FoldConstants oneBlock = foldBy(128);

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i block, __m128i constants, __m128i next)
{
    const __m128i high = _mm_clmulepi64_si128(block, constants, 0x00);
    const __m128i low = _mm_clmulepi64_si128(block, constants, 0x11);
    return _mm_xor_si128(_mm_xor_si128(high, low), next);
}

__attribute__((target("pclmul,sse2"))) std::uint32_t foldedRegister(std::uint32_t crc, const unsigned char *p,
                                                                    std::size_t left)
{
    // Four blocks at a time keep four multiplications in flight; below two rounds of them the
    // tables are as fast.
    if (left < 128)
        return tableRegister(crc, p, left);
    const auto load = [](const unsigned char *at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    };
    const __m128i four = _mm_set_epi64x(qint64(fourBlocks.low), qint64(fourBlocks.high));
    const __m128i one = _mm_set_epi64x(qint64(oneBlock.low), qint64(oneBlock.high));

    // The register taken over from earlier bytes is the same as those four bytes xored in.
    __m128i x0 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(int(crc)));
    __m128i x1 = load(p + 16);
    __m128i x2 = load(p + 32);
    __m128i x3 = load(p + 48);
    p += 64;
    left -= 64;
    while (left >= 64) {
        x0 = fold(x0, four, load(p));
        x1 = fold(x1, four, load(p + 16));
        x2 = fold(x2, four, load(p + 32));
        x3 = fold(x3, four, load(p + 48));
        p += 64;
        left -= 64;
    }
    x1 = fold(x0, one, x1);
    x2 = fold(x1, one, x2);
    x3 = fold(x2, one, x3);
    while (left >= 16) {
        x3 = fold(x3, one, load(p));
        p += 16;
        left -= 16;
    }
    // The last block stands for everything before it: its own remainder, through the tables
    // from an empty register, then the bytes past it.
    alignas(16) unsigned char last[16];
    _mm_store_si128(reinterpret_cast<__m128i *>(last), x3);
    return tableRegister(tableRegister(0, last, sizeof last), p, left);
}

const bool carryLess = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");

#endif

} // namespace

bool CRC32::multipliesCarryLess()
{
#ifdef PENNYLOOM_CARRY_LESS
    return carryLess;
#else
    return false;
#endif
}

std::uint32_t CRC32::tableUpdate(std::uint32_t crc, QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    return ~tableRegister(~crc, p, std::size_t(bytes.size()));
}

std::uint32_t CRC32::update(std::uint32_t crc, QByteArrayView bytes)
{
#ifdef PENNYLOOM_CARRY_LESS
    if (carryLess) {
        const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
        return ~foldedRegister(~crc, p, std::size_t(bytes.size()));
    }
#endif
    return tableUpdate(crc, bytes);
}

std::uint32_t CRC32::checksum(QByteArrayView bytes)
{
    return update(0, bytes);
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
