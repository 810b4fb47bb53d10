// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <string_view>
#include <vector>

// What the list needs of each stored entry, in a compact table: date, amount, kind, the
// category as an index into a table of the few distinct category texts, and the case-folded
// note as a run of one shared buffer. A keystroke reads only this table, never the entries'
// own texts, which lie scattered over the heap: waiting for them is what a scan of 100 000
// entries would spend its time on.
//
// The table follows the store's changes instead of being rebuilt. Beside each row it holds
// the entry's three texts, so that a row still fits its entry exactly when the entry's texts
// are the very ones held (a comparison of addresses) and its date and amount are the same.
class BillsEntryIndex final {
public:
    enum class Kind : quint8 { expense, income, other };
    struct Facts {
        qint64 date = 0; // milliseconds since the epoch
        double amount = 0;
        quint32 categoryId = 0;
        quint32 noteStart = 0;
        quint32 noteLength = 0;
        Kind kind = Kind::expense;
    };
    struct Held {
        QString category;
        QString note;
        QString kindRaw;
    };

    // The simple Unicode case folding of the text, unit for unit: the folding Qt's
    // case-insensitive search applies to each character, so a plain search in folded text
    // finds exactly what a case-insensitive search in the original finds.
    static QString folded(const QString &text);

    // Oldest entry first, the reverse of the store's order, so that a new entry dated now
    // (the usual insert) is appended instead of shifting every row. facts and held run in
    // parallel; the scans read facts only.
    std::vector<Facts> facts;
    std::vector<Held> held;
    QStringList categoryTexts;
    // Set when the store changed; the next sync brings the rows in step.
    bool stale = true;

    size_t size() const { return facts.size(); }
    // The row of the entry at a position of the store's order.
    size_t row(size_t position) const { return facts.size() - 1 - position; }
    std::u16string_view note(const Facts &f) const { return {noteText.data() + f.noteStart, f.noteLength}; }

    // A change of the store inserts, removes or moves a few entries. The rows of the
    // unchanged runs at both ends stay as they are; in between, rows are matched to entries in
    // order, looking one row ahead to step over a removed or moved entry, and only entries
    // left without a row get a new one.
    // `front` and `back` say how many entries at each end are known to be unchanged since the
    // last sync (as many as both sizes allow; 0 when nothing is known).
    void sync(RecordRange<LedgerEntry> entries, size_t front = 0, size_t back = 0);

private:
    bool fits(size_t row, const LedgerEntry &entry) const;
    Facts makeFacts(const LedgerEntry &entry);
    // Notes of replaced rows stay in the buffer until they make up half of it; then the live
    // notes are copied out in row order.
    void compact();

    QHash<QString, quint32> categoryIds;
    std::vector<char16_t> noteText;
    size_t unusedNoteText = 0;
};
