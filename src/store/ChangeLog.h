// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cstddef>

// What each recent change of an ordered collection left in place, so that a screen keeping a
// row per record can bring itself in step without comparing every record.
class ChangeLog {
public:
    // The first `front` and the last `back` records of the order are the very records held
    // before, at the same distance from their end.
    struct Unchanged {
        std::size_t front = 0;
        std::size_t back = 0;
    };

    quint64 count() const { return m_count; }

    // One more change, which left the first `front` and the last `back` records in place.
    void changed(std::size_t front, std::size_t back)
    {
        ++m_count;
        m_recent[m_count % m_recent.size()] = {front, back};
    }

    // What the changes since the count was `since` left alone of `size` records; both 0 when
    // it was too many changes ago to say.
    Unchanged since(quint64 since, std::size_t size) const
    {
        if (since > m_count || m_count - since > m_recent.size())
            return {};
        Unchanged left{size, size};
        for (quint64 k = since + 1; k <= m_count; ++k) {
            const Unchanged &one = m_recent[k % m_recent.size()];
            left.front = std::min(left.front, one.front);
            left.back = std::min(left.back, one.back);
        }
        return left;
    }

private:
    quint64 m_count = 0;
    std::array<Unchanged, 64> m_recent{}; // what change number k left alone is at k % 64
};
