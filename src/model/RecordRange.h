// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordSequence.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

// A run of consecutive records of a RecordSequence, read in place: what the screens and
// helpers take instead of a copy. It stays valid until the sequence changes.
template <class R> class RecordRange {
public:
    using const_iterator = typename RecordSequence<R>::const_iterator;
    using iterator = const_iterator;
    using value_type = R;
    using size_type = std::size_t;

    RecordRange() = default;
    RecordRange(const RecordSequence<R> &all) : m_begin(all.begin()), m_end(all.end()) {}
    RecordRange(const_iterator first, const_iterator last) : m_begin(first), m_end(last) {}

    const_iterator begin() const { return m_begin; }
    const_iterator end() const { return m_end; }
    std::size_t size() const { return static_cast<std::size_t>(m_end - m_begin); }
    bool empty() const { return m_begin == m_end; }
    const R &operator[](std::size_t at) const { return m_begin[static_cast<std::ptrdiff_t>(at)]; }
    const R &at(std::size_t at) const
    {
        if (at >= size())
            throw std::out_of_range("RecordRange::at");
        return (*this)[at];
    }
    const R &front() const { return *m_begin; }
    const R &back() const { return *(m_end - 1); }

    // The records from offset on, at most count of them, clipped to this range.
    RecordRange subrange(std::size_t offset, std::size_t count = std::size_t(-1)) const
    {
        const std::size_t n = size();
        offset = std::min(offset, n);
        count = std::min(count, n - offset);
        const const_iterator first = m_begin + static_cast<std::ptrdiff_t>(offset);
        return {first, first + static_cast<std::ptrdiff_t>(count)};
    }

private:
    const_iterator m_begin;
    const_iterator m_end;
};
