// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

// Records in a fixed order, kept in a row of blocks of at most blockCapacity records each.
// Putting a record in or taking one out shifts the records of one block and renumbers the
// blocks, instead of moving every record after it as one long array would: with a million
// entries that is a few hundred kilobytes touched instead of a hundred megabytes.
// Reading is by index (a binary search over the blocks' first indices) or by a
// random-access iterator that walks a block like a pointer.
template <class R> class RecordSequence {
public:
    // A power of two, so that loading can find a record's block by a shift.
    static constexpr std::size_t blockCapacity = 1024;

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using iterator_concept = std::random_access_iterator_tag;
        using value_type = R;
        using difference_type = std::ptrdiff_t;
        using pointer = const R *;
        using reference = const R &;

        const_iterator() = default;

        reference operator*() const { return *m_at; }
        pointer operator->() const { return m_at; }
        reference operator[](difference_type n) const { return *(*this + n); }

        const_iterator &operator++()
        {
            if (++m_at == m_last && m_block + 1 < m_of->m_blocks.size())
                enter(m_block + 1, 0);
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator was = *this;
            ++*this;
            return was;
        }
        const_iterator &operator--()
        {
            if (m_at == m_first)
                enter(m_block - 1, m_of->m_blocks[m_block - 1].size());
            --m_at;
            return *this;
        }
        const_iterator operator--(int)
        {
            const_iterator was = *this;
            --*this;
            return was;
        }
        const_iterator &operator+=(difference_type n)
        {
            const difference_type within = (m_at - m_first) + n;
            // Most steps of a binary search or a scan stay in the block.
            if (within >= 0 && within < m_last - m_first)
                m_at = m_first + within;
            else if (n != 0)
                *this = m_of->iteratorAt(static_cast<std::size_t>(index() + n));
            return *this;
        }
        const_iterator &operator-=(difference_type n) { return *this += -n; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator &a, const const_iterator &b)
        {
            return a.index() - b.index();
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b)
        {
            return a.m_at == b.m_at && a.m_block == b.m_block;
        }
        friend std::strong_ordering operator<=>(const const_iterator &a, const const_iterator &b)
        {
            if (a.m_block != b.m_block)
                return a.m_block <=> b.m_block;
            return std::compare_three_way{}(a.m_at, b.m_at);
        }

        // The place in the whole sequence.
        difference_type index() const
        {
            return m_of ? static_cast<difference_type>(m_of->m_starts[m_block]) + (m_at - m_first) : 0;
        }

    private:
        friend class RecordSequence;
        const_iterator(const RecordSequence *of, std::size_t block, std::size_t offset) : m_of(of)
        {
            if (!of->m_blocks.empty())
                enter(block, offset);
        }
        void enter(std::size_t block, std::size_t offset)
        {
            const std::vector<R> &rows = m_of->m_blocks[block];
            m_block = block;
            m_first = rows.data();
            m_last = m_first + rows.size();
            m_at = m_first + offset;
        }

        // Each place has one form: a record's own block, or the end of the last block.
        const RecordSequence *m_of = nullptr;
        std::size_t m_block = 0;
        const R *m_first = nullptr;
        const R *m_last = nullptr;
        const R *m_at = nullptr;
    };
    using iterator = const_iterator;
    using value_type = R;
    using size_type = std::size_t;

    RecordSequence() = default;
    // Takes the records in this order.
    explicit RecordSequence(std::vector<R> records)
    {
        for (std::size_t first = 0; first < records.size(); first += blockCapacity) {
            const std::size_t count = std::min(blockCapacity, records.size() - first);
            std::vector<R> &block = m_blocks.emplace_back();
            block.reserve(count);
            const auto from = records.begin() + static_cast<std::ptrdiff_t>(first);
            block.insert(block.end(), std::make_move_iterator(from),
                         std::make_move_iterator(from + static_cast<std::ptrdiff_t>(count)));
        }
        renumber(0);
    }
    // Takes blocks filled in order, none holding more than blockCapacity records: the records
    // stay where they are.
    static RecordSequence adopt(std::vector<std::vector<R>> blocks)
    {
        RecordSequence sequence;
        sequence.m_blocks = std::move(blocks);
        std::erase_if(sequence.m_blocks, [](const std::vector<R> &block) { return block.empty(); });
        sequence.renumber(0);
        return sequence;
    }

    std::size_t size() const { return m_starts.back(); }
    // How many blocks hold the records: what a scan or a renumbering walks over.
    std::size_t blockCount() const { return m_blocks.size(); }
    bool empty() const { return size() == 0; }
    const_iterator begin() const { return const_iterator(this, 0, 0); }
    const_iterator end() const
    {
        return m_blocks.empty() ? begin() : const_iterator(this, m_blocks.size() - 1, m_blocks.back().size());
    }
    const R &operator[](std::size_t at) const
    {
        const std::size_t block = blockOf(at);
        return m_blocks[block][at - m_starts[block]];
    }
    R &operator[](std::size_t at)
    {
        const std::size_t block = blockOf(at);
        return m_blocks[block][at - m_starts[block]];
    }
    const R &front() const { return m_blocks.front().front(); }
    const R &back() const { return m_blocks.back().back(); }
    const_iterator iteratorAt(std::size_t at) const
    {
        if (m_blocks.empty())
            return begin();
        const std::size_t block = blockOf(at);
        return const_iterator(this, block, at - m_starts[block]);
    }

    // Puts the record at that place; the records from there on move one place up.
    void insert(std::size_t at, R record)
    {
        if (m_blocks.empty()) {
            m_blocks.emplace_back().push_back(std::move(record));
            renumber(0);
            return;
        }
        std::size_t block = blockOf(at);
        std::size_t offset = at - m_starts[block];
        if (m_blocks[block].size() == blockCapacity) {
            split(block);
            if (offset > m_blocks[block].size()) {
                offset -= m_blocks[block].size();
                ++block;
            }
        }
        std::vector<R> &rows = m_blocks[block];
        // Grow a block by doubling, but never past a full block.
        if (rows.size() == rows.capacity())
            rows.reserve(std::min(blockCapacity, std::max<std::size_t>(2 * rows.size(), 4)));
        rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(offset), std::move(record));
        renumber(block);
    }

    // Puts records[i] before the record now at places[i] (the size for the end). The places
    // do not decrease; records with the same place keep their order. Only the blocks that
    // receive records are rebuilt.
    void insert(const std::vector<std::size_t> &places, std::vector<R> records)
    {
        if (records.empty())
            return;
        if (m_blocks.empty()) {
            *this = RecordSequence(std::move(records));
            return;
        }
        std::vector<std::vector<R>> blocks;
        blocks.reserve(m_blocks.size() + records.size() / blockCapacity + 2);
        std::size_t next = 0;
        for (std::size_t b = 0; b < m_blocks.size(); ++b) {
            const bool last = b + 1 == m_blocks.size();
            std::size_t upto = next;
            while (upto < places.size() && (last || places[upto] < m_starts[b + 1]))
                ++upto;
            if (upto == next) {
                blocks.push_back(std::move(m_blocks[b]));
                continue;
            }
            std::vector<R> &held = m_blocks[b];
            std::vector<R> merged;
            merged.reserve(held.size() + (upto - next));
            auto from = held.begin();
            for (; next < upto; ++next) {
                const auto until = held.begin() + static_cast<std::ptrdiff_t>(places[next] - m_starts[b]);
                merged.insert(merged.end(), std::make_move_iterator(from), std::make_move_iterator(until));
                from = until;
                merged.push_back(std::move(records[next]));
            }
            merged.insert(merged.end(), std::make_move_iterator(from), std::make_move_iterator(held.end()));
            held = {};
            cut(std::move(merged), blocks);
        }
        m_blocks = std::move(blocks);
        renumber(0);
    }

    // Takes away the records at these places, given in increasing order. Blocks left small
    // are joined to a neighbour.
    void erase(const std::vector<std::size_t> &places)
    {
        if (places.empty())
            return;
        const std::size_t firstBlock = blockOf(places.front());
        std::size_t block = firstBlock;
        auto next = places.begin();
        while (next != places.end()) {
            while (*next >= m_starts[block + 1])
                ++block;
            std::vector<R> &rows = m_blocks[block];
            const std::size_t start = m_starts[block];
            // One pass over the block from its first gone record on, each kept one moved once.
            std::size_t kept = *next - start;
            for (std::size_t i = kept; i < rows.size(); ++i) {
                if (next != places.end() && *next == start + i) {
                    ++next;
                    continue;
                }
                rows[kept++] = std::move(rows[i]);
            }
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(kept), rows.end());
        }
        tidy(firstBlock, block);
    }
    void erase(std::size_t at) { erase(std::vector<std::size_t>{at}); }

    // Moves the record at `from` to place `to`; the records between shift by one toward `from`.
    void move(std::size_t from, std::size_t to)
    {
        if (from == to)
            return;
        const std::size_t block = blockOf(from);
        std::vector<R> &rows = m_blocks[block];
        const std::size_t start = m_starts[block];
        // Within one block a rotation does it without renumbering.
        if (to >= start && to < start + rows.size()) {
            const auto a = rows.begin() + static_cast<std::ptrdiff_t>(from - start);
            const auto b = rows.begin() + static_cast<std::ptrdiff_t>(to - start);
            if (from < to)
                std::rotate(a, a + 1, b + 1);
            else
                std::rotate(b, a, a + 1);
            return;
        }
        R record = std::move(rows[from - start]);
        erase(from);
        insert(to, std::move(record));
    }

private:
    // A block left below this after an erase is joined to a neighbour when the two fit in one.
    static constexpr std::size_t blockLow = blockCapacity / 4;

    // The block holding that place; the last block for the end.
    std::size_t blockOf(std::size_t at) const
    {
        if (m_blocks.size() <= 1)
            return 0;
        return static_cast<std::size_t>(std::upper_bound(m_starts.begin() + 1, m_starts.end() - 1, at) -
                                        (m_starts.begin() + 1));
    }
    // Counts the first indices again from that block on.
    void renumber(std::size_t from)
    {
        m_starts.resize(m_blocks.size() + 1);
        from = std::min(from, m_blocks.size());
        if (from == 0)
            m_starts[0] = 0;
        for (std::size_t b = from; b < m_blocks.size(); ++b)
            m_starts[b + 1] = m_starts[b] + m_blocks[b].size();
    }
    // A full block becomes two half-full ones.
    void split(std::size_t block)
    {
        std::vector<R> &rows = m_blocks[block];
        const auto half = rows.begin() + static_cast<std::ptrdiff_t>(rows.size() / 2);
        std::vector<R> tail;
        tail.reserve(blockCapacity);
        tail.insert(tail.end(), std::make_move_iterator(half), std::make_move_iterator(rows.end()));
        rows.erase(half, rows.end());
        m_blocks.insert(m_blocks.begin() + static_cast<std::ptrdiff_t>(block) + 1, std::move(tail));
        renumber(block);
    }
    // Appends the records as blocks of even size, none over capacity.
    static void cut(std::vector<R> records, std::vector<std::vector<R>> &blocks)
    {
        const std::size_t pieces = (records.size() + blockCapacity - 1) / blockCapacity;
        if (pieces <= 1) {
            blocks.push_back(std::move(records));
            return;
        }
        std::size_t first = 0;
        for (std::size_t p = 0; p < pieces; ++p) {
            const std::size_t count = records.size() / pieces + (p < records.size() % pieces ? 1 : 0);
            std::vector<R> &block = blocks.emplace_back();
            block.reserve(count);
            const auto from = records.begin() + static_cast<std::ptrdiff_t>(first);
            block.insert(block.end(), std::make_move_iterator(from),
                         std::make_move_iterator(from + static_cast<std::ptrdiff_t>(count)));
            first += count;
        }
    }
    // After blocks [first, last] lost records: drops the empty ones and joins small ones to
    // the block before them, looking one block past each end.
    void tidy(std::size_t first, std::size_t last)
    {
        const std::size_t lo = first > 0 ? first - 1 : 0;
        const std::size_t hi = std::min(last + 1, m_blocks.size() - 1);
        std::size_t out = lo;
        for (std::size_t b = lo; b <= hi; ++b) {
            std::vector<R> &rows = m_blocks[b];
            if (rows.empty())
                continue;
            if (out > lo) {
                std::vector<R> &into = m_blocks[out - 1];
                if ((rows.size() < blockLow || into.size() < blockLow) &&
                    into.size() + rows.size() <= blockCapacity) {
                    into.reserve(into.size() + rows.size());
                    into.insert(into.end(), std::make_move_iterator(rows.begin()),
                                std::make_move_iterator(rows.end()));
                    continue;
                }
            }
            if (out != b)
                m_blocks[out] = std::move(rows);
            ++out;
        }
        m_blocks.erase(m_blocks.begin() + static_cast<std::ptrdiff_t>(out),
                       m_blocks.begin() + static_cast<std::ptrdiff_t>(hi) + 1);
        renumber(lo);
    }

    std::vector<std::vector<R>> m_blocks; // none empty
    // m_starts[b] is the index of block b's first record; one more entry holds the size.
    std::vector<std::size_t> m_starts{0};
};
