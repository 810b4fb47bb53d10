// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

// What a search of the list reads of each stored entry, in a compact table of 8 bytes a row:
// the entry's category and kind as one index into a table of the few distinct pairs, and the
// case-folded note as a run of one shared buffer. A keystroke reads only this table, never the
// entries' own texts, which lie scattered over the heap: waiting for them is what a scan of
// 100 000 entries would spend its time on. Dates and amounts are read from the entries
// themselves, and only for what is shown.
//
// A row that cannot say it in 8 bytes (a note of 65 535 units or more, or a pair past the
// table's 65 535) is marked `readEntry`: a search reads that entry's own texts.
//
// The table follows the store's changes instead of being rebuilt: a change touches the rows
// between the runs the store reports as left alone, and within those rows a row whose texts
// still fit its entry is kept.
class BillsEntryIndex final {
public:
    struct Facts {
        quint32 noteStart = 0;
        quint16 noteLength = 0;
        quint16 sort = 0;
    };
    // A category and a kind, as indexes into categoryTexts() and kindTexts().
    struct Sort {
        quint32 categoryId = 0;
        quint32 kindId = 0;
    };
    static constexpr quint16 readEntry = 0xffff;
    // kindTexts() always starts with these two.
    static constexpr quint32 expenseKind = 0;
    static constexpr quint32 incomeKind = 1;

    // The simple Unicode case folding of the text, unit for unit: the folding Qt's
    // case-insensitive search applies to each character, so a plain search in folded text
    // finds exactly what a case-insensitive search in the original finds.
    static QString folded(const QString &text);

    BillsEntryIndex();

    // Oldest entry first, the reverse of the store's order, so that a new entry dated now
    // (the usual insert) is appended instead of shifting every row.
    const std::vector<Facts> &facts() const { return m_facts; }
    const std::vector<Sort> &sorts() const { return m_sorts; }
    const QStringList &categoryTexts() const { return m_categoryTexts; }
    const QStringList &kindTexts() const { return m_kindTexts; }
    // Whether the row's entry, given with it, is an income.
    bool isIncome(const Facts &f, const LedgerEntry &entry) const
    {
        return f.sort != readEntry ? m_sorts[f.sort].kindId == incomeKind
                                   : entry.kindRaw == m_kindTexts.at(incomeKind);
    }

    size_t size() const { return m_facts.size(); }
    // The row of the entry at a position of the store's order, and back.
    size_t row(size_t position) const { return m_facts.size() - 1 - position; }
    size_t position(size_t row) const { return m_facts.size() - 1 - row; }
    std::u16string_view note(const Facts &f) const { return {m_noteText.data() + f.noteStart, f.noteLength}; }
    // The buffer every row's note starts in.
    const char16_t *noteText() const { return m_noteText.data(); }
    size_t noteTextSize() const { return m_noteText.size(); }

    // `front` and `back` say how many entries at each end of the store's order are known to be
    // unchanged since the last sync (0 when nothing is known: every row is checked).
    void sync(RecordRange<LedgerEntry> entries, size_t front = 0, size_t back = 0);

private:
    bool fits(const Facts &f, const LedgerEntry &entry);
    Facts makeFacts(const LedgerEntry &entry);
    quint32 categoryId(const QString &category);
    quint32 kindId(const QString &kindRaw);
    // The pair's index into m_sorts, readEntry when the table is full.
    quint16 sortOf(const LedgerEntry &entry);
    // The rows of the store's positions [first, last), oldest first, keeping the rows of
    // `old` that still fit.
    std::vector<Facts> matched(RecordRange<LedgerEntry> entries, size_t first, size_t last, size_t oldFrom,
                               size_t oldEnd);
    // Notes of replaced rows stay in the buffer until they make up half of it; then the live
    // notes are copied out in row order.
    void compact();

    std::vector<Facts> m_facts;
    std::vector<Sort> m_sorts;
    // By category id, then kind id: the pair's index into m_sorts, or readEntry while unmade.
    std::vector<std::vector<quint16>> m_sortOf;
    QStringList m_categoryTexts;
    QStringList m_kindTexts;
    QHash<QString, quint32> m_categoryIds;
    // The store shares one copy of each repeated category text, so most lookups are answered
    // by the address of the text before hashing it. The held copies keep those texts alive,
    // so an address cannot come back for another text.
    struct Known {
        QString text;
        quint32 id = 0;
    };
    QHash<const QChar *, Known> m_categoryByData;
    std::vector<char16_t> m_noteText;
    size_t m_unusedNoteText = 0;
    std::vector<char16_t> m_scratch;
};
