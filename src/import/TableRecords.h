// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

#include <QtGlobal>

#include <cstddef>
#include <iterator>
#include <vector>

// One record of a table read from a file: the fields as written, untrimmed.
struct TableRecord {
    // The line the record starts on (1-based), or the sheet's row number.
    int line = 0;
    QStringList fields;
};

// The records of a table, in order. A CSV file's records are kept as its own UTF-8 text and
// where each record starts: a field held as a string of its own costs several times its
// characters, which for a large export is gigabytes. A record's fields are split out of the
// text when it is asked for, so a caller should take each record once. Records pushed one by
// one (a workbook's rows) are kept as given.
class TableRecords {
public:
    class const_iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = TableRecord;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = TableRecord;

        const_iterator() = default;
        const_iterator(const TableRecords *records, size_t index) : m_records(records), m_index(index) {}
        TableRecord operator*() const { return (*m_records)[m_index]; }
        const_iterator &operator++()
        {
            ++m_index;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++m_index;
            return before;
        }
        friend bool operator==(const const_iterator &a, const const_iterator &b)
        {
            return a.m_index == b.m_index;
        }

    private:
        const TableRecords *m_records = nullptr;
        size_t m_index = 0;
    };

    size_t size() const { return m_fromText ? m_starts.size() : m_kept.size(); }
    bool empty() const { return size() == 0; }
    // The record, its fields split out of the text anew on every call.
    TableRecord operator[](size_t index) const;
    int lineAt(size_t index) const;
    // How many fields the record has and how many are not blank, cheaper than its fields.
    struct Shape {
        int fields = 0;
        int filled = 0;
    };
    Shape shapeAt(size_t index) const;
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // A record kept as it is; not for records read from CSV text.
    void push_back(TableRecord record) { m_kept.push_back(std::move(record)); }
    void reserve(size_t count) { m_kept.reserve(count); }
    // Holds no record, as a sheet whose reading failed.
    void clear() { *this = TableRecords(); }

    // For the CSV reader: the UTF-8 text the records lie in, up to end, and their delimiter;
    // then each record's first byte and line, in order.
    void setText(QByteArray text, qsizetype end, char delimiter);
    void appendTextRecord(qsizetype start, int line);

    // The bytes the records occupy in memory, for the benchmarks' accounts.
    qsizetype heldBytes() const;

private:
    struct LineMark {
        quint32 index = 0;
        int line = 0;
    };

    std::vector<TableRecord> m_kept;
    bool m_fromText = false;
    QByteArray m_text;
    qsizetype m_end = 0;
    char m_delimiter = ',';
    // Offsets fit: a file is refused far below 4 GiB.
    std::vector<quint32> m_starts;
    // Most records start on the line after the previous one's; only where that is not so (a
    // blank line between, a quoted line break) is the line written down.
    std::vector<LineMark> m_marks;
};
