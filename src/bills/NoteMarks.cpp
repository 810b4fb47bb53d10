// SPDX-License-Identifier: GPL-3.0-or-later
#include "NoteMarks.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

NoteMarks::NoteMarks(const char16_t *text, std::size_t size, char16_t unit) : m_words(size / 64 + 2, 0)
{
    std::size_t at = 0;
#ifdef __SSE2__
    // Eight units at a time: each equal unit becomes a byte of ones, and the bytes one bit each.
    const __m128i wanted = _mm_set1_epi16(static_cast<short>(unit));
    for (; at + 8 <= size; at += 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + at));
        const __m128i equal = _mm_packs_epi16(_mm_cmpeq_epi16(units, wanted), _mm_setzero_si128());
        if (const auto bits = static_cast<quint64>(_mm_movemask_epi8(equal) & 0xff))
            m_words[at >> 6] |= bits << (at & 63);
    }
#endif
    for (; at < size; ++at) {
        if (text[at] == unit)
            m_words[at >> 6] |= quint64(1) << (at & 63);
    }
}
