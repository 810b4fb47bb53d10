// SPDX-License-Identifier: GPL-3.0-or-later
#include "IdSet.h"

#include "LoadOrder.h"

#include <algorithm>
#include <cstring>

std::uint64_t IdSet::fingerprint(const QUuid &id)
{
    const std::uint64_t a =
        std::uint64_t(id.data1) | std::uint64_t(id.data2) << 32 | std::uint64_t(id.data3) << 48;
    std::uint64_t b = 0;
    std::memcpy(&b, id.data4, 8);
    // Mixed so that ids differing in any byte differ in every part of the fingerprint.
    std::uint64_t x = a ^ (b * 0x9e3779b97f4a7c15ULL);
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

bool IdSet::assign(std::vector<std::uint64_t> fingerprints)
{
    LoadOrder::sortAscending(fingerprints);
    m_sorted = std::move(fingerprints);
    return std::adjacent_find(m_sorted.begin(), m_sorted.end()) == m_sorted.end();
}

void IdSet::insert(const QUuid &id)
{
    const std::uint64_t value = fingerprint(id);
    m_sorted.insert(std::upper_bound(m_sorted.begin(), m_sorted.end(), value), value);
}

void IdSet::insert(const std::vector<QUuid> &ids)
{
    const auto middle = static_cast<std::ptrdiff_t>(m_sorted.size());
    for (const QUuid &id : ids)
        m_sorted.push_back(fingerprint(id));
    std::sort(m_sorted.begin() + middle, m_sorted.end());
    std::inplace_merge(m_sorted.begin(), m_sorted.begin() + middle, m_sorted.end());
}

bool IdSet::mayContain(const QUuid &id) const
{
    return std::binary_search(m_sorted.begin(), m_sorted.end(), fingerprint(id));
}

void IdSet::erase(const std::vector<QUuid> &ids)
{
    if (ids.empty())
        return;
    std::vector<std::uint64_t> gone;
    gone.reserve(ids.size());
    for (const QUuid &id : ids)
        gone.push_back(fingerprint(id));
    std::sort(gone.begin(), gone.end());
    // Both sorted: one merge-like pass keeps what is not gone.
    auto next = gone.begin();
    auto kept = m_sorted.begin();
    for (auto it = m_sorted.begin(); it != m_sorted.end(); ++it) {
        while (next != gone.end() && *next < *it)
            ++next;
        if (next != gone.end() && *next == *it) {
            ++next;
            continue;
        }
        *kept++ = *it;
    }
    m_sorted.erase(kept, m_sorted.end());
}
