// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsEntryIndex.h"

#include "model/EntryKind.h"

#include <algorithm>
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

// Room kept beyond what a build needs: the entries added after it (one at a time, mostly) then
// fit without moving the whole index, which for a moment would hold it twice.
size_t withRoom(size_t needed)
{
    return needed + needed / 64 + 256;
}

// Past this many addresses the store is not sharing its category texts; start over rather
// than hold a copy of every entry's.
constexpr qsizetype knownAddresses = 4096;

} // namespace

QString BillsEntryIndex::folded(const QString &text)
{
    QString result(text.size(), Qt::Uninitialized);
    foldInto(text, reinterpret_cast<char16_t *>(result.data()));
    return result;
}

BillsEntryIndex::BillsEntryIndex()
    : m_kindTexts{EntryKinds::rawText(EntryKind::expense), EntryKinds::rawText(EntryKind::income)}
{
}

quint32 BillsEntryIndex::categoryId(const QString &category)
{
    if (const auto known = m_categoryByData.constFind(category.constData());
        known != m_categoryByData.cend() && known->text.size() == category.size())
        return known->id;
    auto it = m_categoryIds.constFind(category);
    if (it == m_categoryIds.cend()) {
        it = m_categoryIds.insert(category, static_cast<quint32>(m_categoryTexts.size()));
        m_categoryTexts.append(category);
    }
    if (m_categoryByData.size() >= knownAddresses)
        m_categoryByData.clear();
    m_categoryByData.insert(category.constData(), {category, it.value()});
    return it.value();
}

quint32 BillsEntryIndex::kindId(const QString &kindRaw)
{
    // Anything but the two kinds is a damaged record; there are at most a few such texts.
    const auto it = std::find(m_kindTexts.cbegin(), m_kindTexts.cend(), kindRaw);
    if (it != m_kindTexts.cend())
        return static_cast<quint32>(it - m_kindTexts.cbegin());
    m_kindTexts.append(kindRaw);
    return static_cast<quint32>(m_kindTexts.size() - 1);
}

quint16 BillsEntryIndex::sortOf(const LedgerEntry &entry)
{
    const quint32 category = categoryId(entry.category);
    const quint32 kind = kindId(entry.kindRaw);
    if (m_sortOf.size() <= category)
        m_sortOf.resize(category + 1);
    std::vector<quint16> &byKind = m_sortOf[category];
    if (byKind.size() <= kind)
        byKind.resize(kind + 1, readEntry);
    if (byKind[kind] == readEntry && m_sorts.size() < readEntry) {
        byKind[kind] = static_cast<quint16>(m_sorts.size());
        m_sorts.push_back({category, kind});
    }
    return byKind[kind];
}

bool BillsEntryIndex::fits(const Facts &f, const LedgerEntry &entry)
{
    // A row that reads its entry is made again: it costs nothing to say so, as it is rare.
    const size_t length = static_cast<size_t>(entry.note.size());
    if (f.sort == readEntry || f.noteLength != length || f.sort != sortOf(entry))
        return false;
    m_scratch.resize(length);
    foldInto(entry.note, m_scratch.data());
    return note(f) == std::u16string_view(m_scratch.data(), length);
}

BillsEntryIndex::Facts BillsEntryIndex::makeFacts(const LedgerEntry &entry)
{
    Facts f;
    f.sort = sortOf(entry);
    f.noteStart = static_cast<quint32>(m_noteText.size());
    if (f.sort == readEntry || entry.note.size() >= readEntry) {
        f.sort = readEntry;
        return f;
    }
    f.noteLength = static_cast<quint16>(entry.note.size());
    m_noteText.resize(m_noteText.size() + f.noteLength);
    foldInto(entry.note, m_noteText.data() + f.noteStart);
    return f;
}

std::vector<BillsEntryIndex::Facts> BillsEntryIndex::matched(RecordRange<LedgerEntry> entries, size_t first,
                                                             size_t last, size_t oldFrom, size_t oldEnd)
{
    // Rows are matched to entries in order, looking one row ahead to step over a removed or
    // moved entry; only entries left without a row get a new one.
    std::vector<Facts> rows;
    rows.reserve(last - first);
    size_t next = oldFrom;
    for (size_t position = last; position-- > first;) {
        const LedgerEntry &entry = entries[position];
        if (next < oldEnd && fits(m_facts[next], entry)) {
            rows.push_back(m_facts[next++]);
        } else if (next + 1 < oldEnd && fits(m_facts[next + 1], entry)) {
            m_unusedNoteText += m_facts[next].noteLength;
            rows.push_back(m_facts[next + 1]);
            next += 2;
        } else {
            rows.push_back(makeFacts(entry));
        }
    }
    for (; next < oldEnd; ++next)
        m_unusedNoteText += m_facts[next].noteLength;
    return rows;
}

void BillsEntryIndex::sync(RecordRange<LedgerEntry> entries, size_t front, size_t back)
{
    const size_t newSize = entries.size();
    const size_t oldSize = size();
    const size_t common = std::min(newSize, oldSize);
    front = std::min(front, common);       // newest entries, the last rows
    back = std::min(back, common - front); // oldest entries, the first rows
    while (front < common - back && fits(m_facts[oldSize - 1 - front], entries[front]))
        ++front;
    while (back < common - front && fits(m_facts[back], entries[newSize - 1 - back]))
        ++back;
    if (oldSize == 0) {
        size_t noteLength = 0;
        for (const LedgerEntry &entry : entries)
            noteLength += static_cast<size_t>(entry.note.size());
        m_noteText.reserve(withRoom(noteLength));
        m_facts.reserve(withRoom(newSize));
        for (size_t position = newSize; position-- > 0;)
            m_facts.push_back(makeFacts(entries[position]));
        return;
    }
    // Store positions [front, newSize - back) are rows [back, newSize - front), oldest first.
    replace(m_facts, back, oldSize - front, matched(entries, front, newSize - back, back, oldSize - front));
    if (m_unusedNoteText > 4096 && m_unusedNoteText > m_noteText.size() / 2)
        compact();
}

void BillsEntryIndex::compact()
{
    std::vector<char16_t> text;
    text.reserve(withRoom(m_noteText.size() - m_unusedNoteText));
    for (Facts &f : m_facts) {
        const auto from = m_noteText.begin() + f.noteStart;
        f.noteStart = static_cast<quint32>(text.size());
        text.insert(text.end(), from, from + f.noteLength);
    }
    m_noteText = std::move(text);
    m_unusedNoteText = 0;
}
