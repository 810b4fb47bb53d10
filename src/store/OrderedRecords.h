// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChangeLog.h"
#include "IdSet.h"
#include "LoadOrder.h"
#include "model/RecordRange.h"
#include "model/RecordSequence.h"

#include <QUuid>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace StoreSchema {
template <class R> struct Table;
}

// The records of one kind in the order the screens show them: newest first by the kind's sort
// key (StoreSchema's Table<R>::sortKey), records with equal keys in the order they were stored.
// Screens read it as a RecordRange through a const reference, which stays valid for the life
// of the store; only the store changes it, keeping the order on every change rather than
// sorting per query. The records sit in blocks, so a change moves one block's records, not
// all of them.
template <class R> class OrderedRecords {
public:
    using value_type = R;
    using const_iterator = typename RecordSequence<R>::const_iterator;
    using iterator = const_iterator;

    const_iterator begin() const { return m_rows.begin(); }
    const_iterator end() const { return m_rows.end(); }
    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    const R &operator[](std::size_t at) const { return m_rows[at]; }
    const R &front() const { return m_rows.front(); }
    const R &back() const { return m_rows.back(); }
    operator RecordRange<R>() const { return m_rows; }

    quint64 changeCount() const { return m_log.count(); }
    ChangeLog::Unchanged unchangedSince(quint64 since) const { return m_log.since(since, m_rows.size()); }

    // Records read in file order, gathered for load() straight into full blocks, which load()
    // sorts in place and keeps: no record is copied on the way, nor held twice.
    class Loading {
    public:
        explicit Loading(std::size_t bound) : m_bound(bound)
        {
            m_keys.reserve(bound);
            // The id set keeps this array, with room for the records added later: one more id
            // past its capacity would move all of them, and for a moment hold them twice.
            m_fingerprints.reserve(bound + bound / 64 + 256);
        }
        void append(R &&record)
        {
            if (m_blocks.empty() || m_blocks.back().size() == capacity) {
                const std::size_t count = m_keys.size();
                m_blocks.emplace_back().reserve(std::min(capacity, m_bound > count ? m_bound - count : 1));
            }
            m_blocks.back().push_back(std::move(record));
            m_keys.push_back(StoreSchema::Table<R>::sortKey(m_blocks.back().back()));
            m_fingerprints.push_back(IdSet::fingerprint(m_blocks.back().back().id));
        }

    private:
        friend class OrderedRecords;
        static constexpr std::size_t capacity = RecordSequence<R>::blockCapacity;
        // The records indexed as one array: every block but the last is full.
        struct Indexed {
            std::vector<std::vector<R>> &blocks;
            R &operator[](std::size_t at) const { return blocks[at / capacity][at % capacity]; }
        };
        std::size_t m_bound;
        std::vector<std::vector<R>> m_blocks;
        std::vector<qint64> m_keys;
        std::vector<std::uint64_t> m_fingerprints;
    };
    // Holds the loaded records in order. When two of them share an id, holds nothing and
    // returns that id.
    std::optional<QUuid> load(Loading &&loaded);

    // Where the record with that id is, or -1. storedKey() gives the key the file holds for
    // the id, or nothing; the records are scanned only when that key does not find it.
    template <class StoredKey> qsizetype indexOf(const QUuid &id, StoredKey &&storedKey) const;

    // rowidOf(record) is the file's rowid of a held record, which orders equal keys.
    template <class RowidOf> void insert(R record, qint64 rowid, RowidOf &&rowidOf);
    // Many records and their rowids at once, merged into the blocks they land in: the order is
    // the one inserting them one by one would give. Records with a key of their own cost no
    // rowidOf.
    template <class RowidOf> void insertMany(std::vector<std::pair<R, qint64>> records, RowidOf &&rowidOf);
    // The record at that place replaced by one with the same id and row.
    template <class RowidOf> void replace(std::size_t at, R record, RowidOf &&rowidOf);
    // Takes away the records at these places, given in increasing order.
    void erase(const std::vector<std::size_t> &places);

private:
    using Iterator = const_iterator;
    static qint64 keyOf(const R &record) { return StoreSchema::Table<R>::sortKey(record); }
    // Orders records and keys newest first, for binary searches.
    struct NewestFirst {
        static qint64 key(const R &r) { return keyOf(r); }
        static qint64 key(qint64 k) { return k; }
        bool operator()(const auto &a, const auto &b) const { return key(a) > key(b); }
    };
    // Where a record with that key and rowid goes in [first, last).
    template <class RowidOf>
    static Iterator slot(Iterator first, Iterator last, qint64 key, qint64 rowid, RowidOf &rowidOf);

    RecordSequence<R> m_rows;
    IdSet m_ids;
    ChangeLog m_log;
};

template <class R> std::optional<QUuid> OrderedRecords<R>::load(Loading &&loaded)
{
    m_rows = {};
    // Two rows with one id (a file edited by hand) cannot both be shown and changed safely.
    if (!m_ids.assign(std::move(loaded.m_fingerprints))) {
        std::vector<QUuid> ids;
        ids.reserve(loaded.m_keys.size());
        for (const std::vector<R> &block : loaded.m_blocks)
            for (const R &r : block)
                ids.push_back(r.id);
        std::sort(ids.begin(), ids.end());
        if (const auto twin = std::adjacent_find(ids.begin(), ids.end()); twin != ids.end()) {
            m_ids = {};
            return *twin;
        }
    }
    LoadOrder::arrange(typename Loading::Indexed{loaded.m_blocks}, LoadOrder::newestFirst(loaded.m_keys));
    m_rows = RecordSequence<R>::adopt(std::move(loaded.m_blocks));
    return std::nullopt;
}

template <class R>
template <class StoredKey>
qsizetype OrderedRecords<R>::indexOf(const QUuid &id, StoredKey &&storedKey) const
{
    if (!m_ids.mayContain(id))
        return -1;
    const auto matches = [&](const R &r) { return r.id == id; };
    if (const std::optional<qint64> key = storedKey()) {
        const auto [first, last] = std::equal_range(m_rows.begin(), m_rows.end(), *key, NewestFirst{});
        if (const auto it = std::find_if(first, last, matches); it != last)
            return it - m_rows.begin();
    }
    // Not where the file puts it (a file changed under the store), or a kind without keys.
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), matches);
    return it == m_rows.end() ? -1 : it - m_rows.begin();
}

template <class R>
template <class RowidOf>
typename OrderedRecords<R>::Iterator OrderedRecords<R>::slot(Iterator first, Iterator last, qint64 key,
                                                             qint64 rowid, RowidOf &rowidOf)
{
    const auto [from, to] = std::equal_range(first, last, key, NewestFirst{});
    // Records with the same key keep the order they were stored in: the rowid's order.
    return std::partition_point(from, to, [&](const R &other) { return rowidOf(other) < rowid; });
}

template <class R>
template <class RowidOf>
void OrderedRecords<R>::insert(R record, qint64 rowid, RowidOf &&rowidOf)
{
    const auto at = static_cast<std::size_t>(
        slot(m_rows.begin(), m_rows.end(), keyOf(record), rowid, rowidOf) - m_rows.begin());
    m_ids.insert(record.id);
    m_rows.insert(at, std::move(record));
    m_log.changed(at, m_rows.size() - 1 - at);
}

template <class R>
template <class RowidOf>
void OrderedRecords<R>::insertMany(std::vector<std::pair<R, qint64>> records, RowidOf &&rowidOf)
{
    if (records.empty())
        return;
    std::stable_sort(records.begin(), records.end(), [](const auto &a, const auto &b) {
        const qint64 ka = keyOf(a.first);
        const qint64 kb = keyOf(b.first);
        return ka != kb ? ka > kb : a.second < b.second;
    });
    // Each record's place among the held ones. It is searched for by galloping from the place
    // of the record before it, as the records of one import land close together.
    std::vector<std::size_t> places;
    places.reserve(records.size());
    std::vector<R> sorted;
    sorted.reserve(records.size());
    std::vector<QUuid> ids;
    ids.reserve(records.size());
    const auto end = m_rows.end();
    auto from = m_rows.begin();
    for (auto &incoming : records) {
        R &record = incoming.first;
        // A named copy, not a structured binding: a lambda may capture it with every compiler.
        const qint64 rowid = incoming.second;
        const qint64 key = keyOf(record);
        // Held records before it: newer ones, and equal keys stored before it.
        const auto before = [&](const R &held) {
            const qint64 k = keyOf(held);
            return k > key || (k == key && rowidOf(held) < rowid);
        };
        std::ptrdiff_t step = 1;
        while (end - from > step && before(from[step - 1])) {
            from += step;
            step *= 2;
        }
        from = std::partition_point(from, from + std::min(step, end - from), before);
        places.push_back(static_cast<std::size_t>(from - m_rows.begin()));
        ids.push_back(record.id);
        sorted.push_back(std::move(record));
    }
    records = {};
    const std::size_t first = places.front();
    const std::size_t last = places.back() + sorted.size() - 1;
    m_rows.insert(places, std::move(sorted));
    m_ids.insert(ids);
    m_log.changed(first, m_rows.size() - 1 - last);
}

template <class R>
template <class RowidOf>
void OrderedRecords<R>::replace(std::size_t at, R record, RowidOf &&rowidOf)
{
    R &held = m_rows[at];
    const qint64 key = keyOf(record);
    const bool moves = keyOf(held) != key;
    held = std::move(record);
    std::size_t first = at;
    std::size_t last = at;
    if (moves) {
        // Only the records between its old and its new place shift. A replacement keeps the
        // row, so the record keeps its rank among equal keys.
        const qint64 rowid = rowidOf(held);
        const auto place = m_rows.iteratorAt(at);
        if (const auto before = slot(m_rows.begin(), place, key, rowid, rowidOf); before != place) {
            first = static_cast<std::size_t>(before - m_rows.begin());
            m_rows.move(at, first);
        } else {
            const auto after = slot(std::next(place), m_rows.end(), key, rowid, rowidOf);
            last = static_cast<std::size_t>(after - m_rows.begin()) - 1;
            m_rows.move(at, last);
        }
    }
    m_log.changed(first, m_rows.size() - 1 - last);
}

template <class R> void OrderedRecords<R>::erase(const std::vector<std::size_t> &places)
{
    if (places.empty())
        return;
    const std::size_t fromBack = m_rows.size() - 1 - places.back();
    std::vector<QUuid> gone;
    gone.reserve(places.size());
    for (const std::size_t at : places)
        gone.push_back(m_rows[at].id);
    m_rows.erase(places);
    m_ids.erase(gone);
    // The records after the last gone one keep their distance from the end.
    m_log.changed(places.front(), fromBack);
}
