// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsEntryIndex.h"

#include "model/EntryKind.h"

#include <algorithm>
#include <bit>
#include <iterator>

namespace {

// Writes the simple Unicode case folding of the text, code point by code point, into out
// (as many units as the text): the folding Qt's case-insensitive search applies to each
// character, so a plain search in folded text finds exactly what a case-insensitive search
// in the original finds.
void foldInto(QStringView text, char16_t *out)
{
    const qsizetype size = text.size();
    const char16_t *in = text.utf16();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = in[i];
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(in[i + 1])) {
            const char32_t point = QChar::toCaseFolded(QChar::surrogateToUcs4(unit, in[i + 1]));
            const bool pair = QChar::requiresSurrogates(point);
            out[i] = pair ? QChar::highSurrogate(point) : unit;
            out[i + 1] = pair ? QChar::lowSurrogate(point) : in[i + 1];
            ++i;
        } else {
            out[i] =
                QChar::isSurrogate(unit) ? unit : static_cast<char16_t>(QChar::toCaseFolded(char32_t(unit)));
        }
    }
}

// The same characters, not merely equal ones. A row holds its texts, so they cannot have
// been changed or freed while their address stays the same.
bool sameText(const QString &held, const QString &current)
{
    return held.constData() == current.constData() && held.size() == current.size();
}

template <class T> void replace(std::vector<T> &rows, size_t from, size_t to, std::vector<T> &&with)
{
    const auto first = rows.begin() + static_cast<std::ptrdiff_t>(from);
    const auto last = rows.begin() + static_cast<std::ptrdiff_t>(to);
    if (to - from == with.size()) {
        std::move(with.begin(), with.end(), first);
        return;
    }
    const auto at = rows.erase(first, last);
    rows.insert(at, std::make_move_iterator(with.begin()), std::make_move_iterator(with.end()));
}

} // namespace

QString BillsEntryIndex::folded(const QString &text)
{
    QString result(text.size(), Qt::Uninitialized);
    foldInto(text, reinterpret_cast<char16_t *>(result.data()));
    return result;
}

bool BillsEntryIndex::fits(size_t row, const LedgerEntry &entry) const
{
    const Held &h = held[row];
    const Facts &f = facts[row];
    return sameText(h.category, entry.category) && sameText(h.note, entry.note) &&
           sameText(h.kindRaw, entry.kindRaw) && f.date == entry.date.toMSecsSinceEpoch() &&
           std::bit_cast<quint64>(f.amount) == std::bit_cast<quint64>(entry.amount);
}

BillsEntryIndex::Facts BillsEntryIndex::makeFacts(const LedgerEntry &entry)
{
    Facts f;
    f.date = entry.date.toMSecsSinceEpoch();
    f.amount = entry.amount;
    auto it = categoryIds.constFind(entry.category);
    if (it == categoryIds.cend()) {
        it = categoryIds.insert(entry.category, static_cast<quint32>(categoryTexts.size()));
        categoryTexts.append(entry.category);
    }
    f.categoryId = it.value();
    if (entry.kindRaw == EntryKinds::rawText(EntryKind::expense))
        f.kind = Kind::expense;
    else if (entry.kindRaw == EntryKinds::rawText(EntryKind::income))
        f.kind = Kind::income;
    else
        f.kind = Kind::other;
    f.noteStart = static_cast<quint32>(noteText.size());
    f.noteLength = static_cast<quint32>(entry.note.size());
    noteText.resize(noteText.size() + static_cast<size_t>(entry.note.size()));
    foldInto(entry.note, noteText.data() + f.noteStart);
    return f;
}

void BillsEntryIndex::sync(RecordRange<LedgerEntry> entries, size_t front, size_t back)
{
    const size_t newSize = entries.size();
    const size_t oldSize = size();
    const size_t common = std::min(newSize, oldSize);
    const auto old = [&](size_t position) { return oldSize - 1 - position; };
    size_t head = std::min(front, common); // newest entries, the back of the rows
    while (head < common && fits(old(head), entries[head]))
        ++head;
    size_t tail = std::min(back, common - head); // oldest entries, the front of the rows
    while (tail < common - head && fits(tail, entries[newSize - 1 - tail]))
        ++tail;

    const size_t oldEnd = oldSize - tail;
    std::vector<Facts> newFacts;
    std::vector<Held> newHeld;
    newFacts.reserve(newSize - head - tail);
    newHeld.reserve(newSize - head - tail);
    const auto keep = [&](size_t row) {
        newFacts.push_back(facts[row]);
        newHeld.push_back(std::move(held[row]));
    };
    size_t next = head;
    for (size_t i = head; i < newSize - tail; ++i) {
        const LedgerEntry &entry = entries[i];
        if (next < oldEnd && fits(old(next), entry)) {
            keep(old(next));
            ++next;
        } else if (next + 1 < oldEnd && fits(old(next + 1), entry)) {
            unusedNoteText += facts[old(next)].noteLength;
            keep(old(next + 1));
            next += 2;
        } else {
            newFacts.push_back(makeFacts(entry));
            newHeld.push_back({entry.category, entry.note, entry.kindRaw});
        }
    }
    for (; next < oldEnd; ++next)
        unusedNoteText += facts[old(next)].noteLength;

    // Store positions [head, oldEnd) are rows [tail, oldSize - head), oldest first.
    std::reverse(newFacts.begin(), newFacts.end());
    std::reverse(newHeld.begin(), newHeld.end());
    replace(facts, tail, oldSize - head, std::move(newFacts));
    replace(held, tail, oldSize - head, std::move(newHeld));
    stale = false;
    if (unusedNoteText > 4096 && unusedNoteText > noteText.size() / 2)
        compact();
}

void BillsEntryIndex::compact()
{
    std::vector<char16_t> text;
    text.reserve(noteText.size() - unusedNoteText);
    for (Facts &f : facts) {
        const auto from = noteText.begin() + f.noteStart;
        f.noteStart = static_cast<quint32>(text.size());
        text.insert(text.end(), from, from + f.noteLength);
    }
    noteText = std::move(text);
    unusedNoteText = 0;
}
