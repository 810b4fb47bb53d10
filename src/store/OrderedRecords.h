// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChangeLog.h"
#include "IdSet.h"
#include "LoadOrder.h"

#include <QUuid>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace StoreSchema {
template <class R> struct Table;
}

// The records of one kind in the order the screens show them: newest first by the kind's sort
// key (StoreSchema's Table<R>::sortKey), records with equal keys in the order they were stored.
// Screens read it as a contiguous range through a const reference, which stays valid for the
// life of the store; only the store changes it, keeping the order on every change rather than
// sorting per query.
template <class R> class OrderedRecords {
public:
    using value_type = R;
    using const_iterator = typename std::vector<R>::const_iterator;
    using iterator = const_iterator;

    const_iterator begin() const { return m_rows.cbegin(); }
    const_iterator end() const { return m_rows.cend(); }
    std::size_t size() const { return m_rows.size(); }
    bool empty() const { return m_rows.empty(); }
    const R &operator[](std::size_t at) const { return m_rows[at]; }
    const R &front() const { return m_rows.front(); }
    const R &back() const { return m_rows.back(); }
    const R *data() const { return m_rows.data(); }
    operator std::span<const R>() const { return m_rows; }
    // For the helpers that take the records as a vector.
    operator const std::vector<R> &() const { return m_rows; }

    quint64 changeCount() const { return m_log.count(); }
    ChangeLog::Unchanged unchangedSince(quint64 since) const { return m_log.since(since, m_rows.size()); }

    // Records read in file order, gathered for load(): no record is copied on the way.
    class Loading {
    public:
        explicit Loading(std::size_t bound)
        {
            m_rows.reserve(bound);
            m_keys.reserve(bound);
            m_fingerprints.reserve(bound);
        }
        void append(R &&record)
        {
            m_rows.push_back(std::move(record));
            m_keys.push_back(StoreSchema::Table<R>::sortKey(m_rows.back()));
            m_fingerprints.push_back(IdSet::fingerprint(m_rows.back().id));
        }

    private:
        friend class OrderedRecords;
        std::vector<R> m_rows;
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
    // Many records and their rowids at once, in one pass over the held ones: the order is the
    // one inserting them one by one would give. Records with a key of their own cost no rowidOf.
    template <class RowidOf> void insertMany(std::vector<std::pair<R, qint64>> records, RowidOf &&rowidOf);
    // The record at that place replaced by one with the same id and row.
    template <class RowidOf> void replace(std::size_t at, R record, RowidOf &&rowidOf);
    // Takes away the records at these places, given in increasing order.
    void erase(const std::vector<std::size_t> &places);

private:
    using Iterator = typename std::vector<R>::iterator;
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

    std::vector<R> m_rows;
    IdSet m_ids;
    ChangeLog m_log;
};

template <class R> std::optional<QUuid> OrderedRecords<R>::load(Loading &&loaded)
{
    m_rows = std::move(loaded.m_rows);
    // Two rows with one id (a file edited by hand) cannot both be shown and changed safely.
    if (!m_ids.assign(std::move(loaded.m_fingerprints))) {
        std::vector<QUuid> ids;
        ids.reserve(m_rows.size());
        for (const R &r : m_rows)
            ids.push_back(r.id);
        std::sort(ids.begin(), ids.end());
        if (const auto twin = std::adjacent_find(ids.begin(), ids.end()); twin != ids.end()) {
            m_rows.clear();
            m_ids = {};
            return *twin;
        }
    }
    LoadOrder::arrange(m_rows, LoadOrder::newestFirst(loaded.m_keys));
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
    const auto position = slot(m_rows.begin(), m_rows.end(), keyOf(record), rowid, rowidOf);
    m_ids.insert(record.id);
    // Measured after the insert, which may have moved the whole vector.
    const auto inserted = m_rows.insert(position, std::move(record));
    const auto at = static_cast<std::size_t>(inserted - m_rows.begin());
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
    std::vector<R> merged;
    merged.reserve(m_rows.size() + records.size());
    std::vector<QUuid> ids;
    ids.reserve(records.size());
    auto held = m_rows.begin();
    std::size_t first = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        auto &[record, rowid] = records[i];
        const qint64 key = keyOf(record);
        // Held records before it: newer ones, and equal keys stored before it.
        while (held != m_rows.end() &&
               (keyOf(*held) > key || (keyOf(*held) == key && rowidOf(*held) < rowid)))
            merged.push_back(std::move(*held++));
        if (i == 0)
            first = merged.size();
        ids.push_back(record.id);
        merged.push_back(std::move(record));
    }
    const std::size_t last = merged.size() - 1;
    while (held != m_rows.end())
        merged.push_back(std::move(*held++));
    m_rows = std::move(merged);
    m_ids.insert(ids);
    m_log.changed(first, m_rows.size() - 1 - last);
}

template <class R>
template <class RowidOf>
void OrderedRecords<R>::replace(std::size_t at, R record, RowidOf &&rowidOf)
{
    const auto held = m_rows.begin() + static_cast<qsizetype>(at);
    const qint64 key = keyOf(record);
    const bool moves = keyOf(*held) != key;
    *held = std::move(record);
    auto first = held;
    auto last = held;
    if (moves) {
        // Only the records between its old and its new place shift. A replacement keeps the
        // row, so the record keeps its rank among equal keys.
        const qint64 rowid = rowidOf(*held);
        if (const auto before = slot(m_rows.begin(), held, key, rowid, rowidOf); before != held) {
            std::rotate(before, held, held + 1);
            first = before;
        } else {
            const auto after = slot(held + 1, m_rows.end(), key, rowid, rowidOf);
            std::rotate(held, held + 1, after);
            last = after - 1;
        }
    }
    m_log.changed(static_cast<std::size_t>(first - m_rows.begin()),
                  static_cast<std::size_t>(m_rows.end() - 1 - last));
}

template <class R> void OrderedRecords<R>::erase(const std::vector<std::size_t> &places)
{
    if (places.empty())
        return;
    const std::size_t fromBack = m_rows.size() - 1 - places.back();
    // One pass from the first gone record on, each kept record moved once.
    std::vector<QUuid> gone;
    auto next = places.begin();
    std::size_t kept = *next;
    for (std::size_t i = kept; i < m_rows.size(); ++i) {
        if (next != places.end() && *next == i) {
            gone.push_back(m_rows[i].id);
            ++next;
            continue;
        }
        m_rows[kept++] = std::move(m_rows[i]);
    }
    m_rows.erase(m_rows.begin() + static_cast<qsizetype>(kept), m_rows.end());
    m_ids.erase(gone);
    // The records after the last gone one keep their distance from the end.
    m_log.changed(places.front(), fromBack);
}
