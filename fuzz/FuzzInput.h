// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Fuzz bytes as text. The first byte picks the reading: odd, raw UTF-16 code units (so lone
// surrogates and NUL reach the code under test); even, UTF-8 as a user would type it.
inline QString fuzzText(const uint8_t *data, size_t size)
{
    if (size == 0)
        return {};
    const auto *rest = reinterpret_cast<const char *>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);
    if (data[0] & 1) {
        QString text(length / 2, Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(uint8_t(rest[2 * i]) | uint8_t(rest[2 * i + 1]) << 8));
        return text;
    }
    return QString::fromUtf8(rest, length);
}
