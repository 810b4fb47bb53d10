// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstddef>
#include <cstring>
#include <vector>

// Where one code unit stands in a text, one bit a unit: made in a single vectorised pass over
// the whole text, after which "does this stretch hold the unit?" costs a word or two of bits
// instead of a loop over the stretch. A search of many short notes kept in one buffer asks
// that once per note.
class NoteMarks final {
public:
    NoteMarks(const char16_t *text, std::size_t size, char16_t unit);

    // Whether any of the units [start, start + count) is the unit. Inline: a search asks it
    // once for every entry.
    bool any(std::size_t start, std::size_t count) const
    {
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        // A short stretch, which almost every note is, is read as the eight bytes its first
        // bit falls in, without a branch that an empty or a word-crossing note would mispredict.
        if (count <= 57) [[likely]] {
            quint64 window;
            std::memcpy(&window, reinterpret_cast<const unsigned char *>(m_words.data()) + (start >> 3), 8);
            return ((window >> (start & 7)) & low(count)) != 0;
        }
#endif
        if (count == 0)
            return false;
        const std::size_t end = start + count;
        std::size_t word = start >> 6;
        const std::size_t last = (end - 1) >> 6;
        if (word == last)
            return ((m_words[word] >> (start & 63)) & low(count)) != 0;
        if (m_words[word] >> (start & 63))
            return true;
        while (++word < last) {
            if (m_words[word])
                return true;
        }
        return (m_words[last] & low(((end - 1) & 63) + 1)) != 0;
    }

    // Calls found(offset) for the marked units of [start, start + count) in order, until one
    // call returns true; whether one did.
    template <class Found> bool anyOf(std::size_t start, std::size_t count, Found found) const
    {
        const std::size_t end = start + count;
        for (std::size_t at = start; at < end;) {
            quint64 bits = m_words[at >> 6] >> (at & 63);
            const std::size_t inWord = 64 - (at & 63);
            if (end - at < inWord)
                bits &= (quint64(1) << (end - at)) - 1;
            while (bits) {
                if (found(at + static_cast<std::size_t>(__builtin_ctzll(bits))))
                    return true;
                bits &= bits - 1;
            }
            at += inWord;
        }
        return false;
    }

private:
    static quint64 low(std::size_t n)
    {
        return n >= 64 ? ~quint64(0) : (quint64(1) << n) - 1;
    }

    // One bit a unit, and a word more so that a stretch may end at the text's end.
    std::vector<quint64> m_words;
};
