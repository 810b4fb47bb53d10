// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <utility>
#include <vector>

// Puts records read in file order into the order the screens show: newest key first, equal
// keys in file order.
namespace LoadOrder {

// Sorts in linear time: a radix sort, skipping the digits that never vary.
void sortAscending(std::vector<std::uint64_t> &values);

// For each place of the sorted order, the index in keys of the record that goes there.
std::vector<quint32> newestFirst(const std::vector<qint64> &keys);

// Moves each record to its place, in place: records[i] becomes what records[order[i]] was.
// Each record moves once; records already in place (books kept in date order) cost nothing.
// Records is anything indexed like a vector.
template <class Records> void arrange(Records &&records, std::vector<quint32> order)
{
    for (quint32 start = 0; start < order.size(); ++start) {
        if (order[start] == start)
            continue;
        auto held = std::move(records[start]);
        quint32 at = start;
        for (;;) {
            const quint32 from = std::exchange(order[at], at);
            if (from == start) {
                records[at] = std::move(held);
                break;
            }
            records[at] = std::move(records[from]);
            at = from;
        }
    }
}

} // namespace LoadOrder
