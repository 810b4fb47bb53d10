// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoadOrder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <numeric>

namespace LoadOrder {

// Least significant digit first, eleven bits a pass.
void sortAscending(std::vector<std::uint64_t> &values)
{
    constexpr int digitBits = 11;
    constexpr size_t buckets = size_t(1) << digitBits;
    std::uint64_t highest = 0;
    for (const std::uint64_t v : values)
        highest |= v;
    const int passes = (std::bit_width(highest) + digitBits - 1) / digitBits;
    std::vector<std::array<size_t, buckets>> counts(static_cast<size_t>(passes));
    for (auto &count : counts)
        count.fill(0);
    for (const std::uint64_t v : values)
        for (int p = 0; p < passes; ++p)
            ++counts[size_t(p)][(v >> (p * digitBits)) & (buckets - 1)];
    std::vector<std::uint64_t> scratch(values.size());
    for (int p = 0; p < passes; ++p) {
        auto &count = counts[size_t(p)];
        if (std::find(count.begin(), count.end(), values.size()) != count.end())
            continue; // one digit for all: the pass would change nothing
        size_t offset = 0;
        for (size_t &c : count)
            offset += std::exchange(c, offset);
        for (const std::uint64_t v : values)
            scratch[count[(v >> (p * digitBits)) & (buckets - 1)]++] = v;
        values.swap(scratch);
    }
}

std::vector<quint32> newestFirst(const std::vector<qint64> &keys)
{
    const size_t n = keys.size();
    std::vector<quint32> order(n);
    if (n == 0)
        return order;
    // Descending keys as ascending unsigned numbers, so that an ascending sort gives newest first.
    const auto descending = [](qint64 key) { return ~(std::uint64_t(key) ^ (std::uint64_t(1) << 63)); };
    std::uint64_t low = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t high = 0;
    for (const qint64 key : keys) {
        low = std::min(low, descending(key));
        high = std::max(high, descending(key));
    }
    const int indexBits = std::bit_width(std::uint64_t(n - 1));
    if (std::bit_width(high - low) + indexBits <= 64) {
        // Key and index in one number: sorting numbers puts equal keys in index order too.
        std::vector<std::uint64_t> packed(n);
        for (size_t i = 0; i < n; ++i)
            packed[i] = (descending(keys[i]) - low) << indexBits | i;
        sortAscending(packed);
        const std::uint64_t mask = indexBits == 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << indexBits) - 1;
        for (size_t i = 0; i < n; ++i)
            order[i] = static_cast<quint32>(packed[i] & mask);
        return order;
    }
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](quint32 a, quint32 b) { return keys[a] > keys[b]; });
    return order;
}

} // namespace LoadOrder
