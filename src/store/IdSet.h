// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUuid>

#include <cstdint>
#include <vector>

// Which ids a kind may hold, as sorted 64-bit fingerprints: eight bytes an id instead of a hash
// node, so that "is this id new?" costs a binary search instead of a scan of the records. Two
// ids can share a fingerprint, so a hit means "perhaps": the caller confirms on the records.
class IdSet {
public:
    static std::uint64_t fingerprint(const QUuid &id);

    // Replaces the set by these fingerprints; false when two of them are equal.
    bool assign(std::vector<std::uint64_t> fingerprints);
    void insert(const QUuid &id);
    // Many at once, in one merge rather than a shift of the set per id.
    void insert(const std::vector<QUuid> &ids);
    bool mayContain(const QUuid &id) const;
    // Takes away one occurrence of each id's fingerprint, in one pass over the set.
    void erase(const std::vector<QUuid> &ids);
    size_t size() const { return m_sorted.size(); }

private:
    std::vector<std::uint64_t> m_sorted;
};
