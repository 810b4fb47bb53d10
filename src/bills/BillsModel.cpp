// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsModel.h"

#include "BillsLedger.h"
#include "NoteMarks.h"
#include "model/EntryKind.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

#include <algorithm>
#include <iterator>
#include <string_view>

using namespace Qt::StringLiterals;

const PeriodSelection::Rules &BillsModel::dateRules()
{
    static const PeriodSelection::Rules rules{
        {{PeriodChoice::all, u"全部账单"_s}, {PeriodChoice::custom, u"自定义日期"_s}},
        PeriodSelection::DayEnd::excluded,
        PeriodSelection::EarlyEnd::emptiesSpan};
    return rules;
}

BillsModel::BillsModel(ModelStore &store, BillsLedger &ledger, QObject *parent)
    : PeriodModel(dateRules(), PeriodChoice::all, parent), m_store(store), m_ledger(ledger)
{
    connect(&m_store, &ModelStore::entriesChanged, this, &BillsModel::recompute);
    recompute();
}

BillsModel::~BillsModel() = default;

RecordRange<LedgerEntry> BillsModel::entries() const
{
    return m_store.entries();
}

void BillsModel::setSearchText(const QString &text)
{
    if (m_searchText == text)
        return;
    m_searchText = text;
    Q_EMIT filterChanged();
    recompute();
}

void BillsModel::setDateMode(PeriodChoice mode)
{
    changeChoice(mode);
}

void BillsModel::periodChanged()
{
    Q_EMIT filterChanged();
    if (dateMode() == m_listedMode && dateMode() != PeriodChoice::custom)
        return;
    m_listedMode = dateMode();
    recompute();
}

RecordRange<LedgerEntry> BillsModel::dateFiltered() const
{
    if (selection().choice() == PeriodChoice::all)
        return entries();
    return LedgerSlice::within(entries(), selection().span());
}

int BillsModel::filteredCount() const
{
    return static_cast<int>(m_searching ? m_found.size() : m_run.count);
}

size_t BillsModel::filteredPosition(int index) const
{
    const auto at = static_cast<size_t>(index);
    return m_searching ? static_cast<size_t>(m_found.at(at)) : m_run.offset + at;
}

const LedgerEntry &BillsModel::filteredEntry(int index) const
{
    return entries().at(filteredPosition(index));
}

int BillsModel::groupCount() const
{
    return static_cast<int>(m_searching ? m_foundGroups.size() : m_dayEnd - m_dayFirst);
}

BillsModel::DayGroup BillsModel::group(int index) const
{
    if (m_searching)
        return m_foundGroups.at(static_cast<size_t>(index));
    const size_t day = m_dayEnd - 1 - static_cast<size_t>(index);
    if (day == m_dayEnd - 1 && m_newestCut)
        return *m_newestCut;
    if (day == m_dayFirst && m_oldestCut)
        return *m_oldestCut;
    // Read between a store change and the recomputation that follows it, the kept days may
    // have moved on: better an empty group than a read past them.
    if (day >= m_ledger.days().size())
        return {};
    const BillsLedger::Day &kept = m_ledger.days()[day];
    const size_t newestPosition = m_ledger.index().position(kept.row + kept.count - 1);
    return {kept.day, static_cast<int>(newestPosition - m_run.offset), static_cast<int>(kept.count),
            kept.expense, kept.income};
}

QList<LedgerEntry> BillsModel::dayEntries(int index) const
{
    QList<LedgerEntry> result;
    if (index < 0 || index >= groupCount())
        return result;
    const DayGroup day = group(index);
    result.reserve(day.count);
    for (int i = day.first; i < day.first + day.count; ++i)
        result.append(filteredEntry(i));
    return result;
}

void BillsModel::setPendingDeletion(const std::optional<LedgerEntry> &entry)
{
    m_pendingDeletion = entry;
    Q_EMIT pendingDeletionChanged();
}

bool BillsModel::confirmDeletion()
{
    bool deleted = false;
    if (m_pendingDeletion && m_store.find<LedgerEntry>(m_pendingDeletion->id) != nullptr)
        deleted = m_store.remove<LedgerEntry>(m_pendingDeletion->id);
    cancelDeletion();
    return deleted;
}

void BillsModel::cancelDeletion()
{
    if (m_pendingDeletion)
        setPendingDeletion(std::nullopt);
}

bool BillsModel::deleteEntries(const QSet<int> &positions, const QList<LedgerEntry> &dayEntries)
{
    ModelStore::Removal removal;
    bool any = false;
    for (int position : positions) {
        if (position < 0 || position >= dayEntries.size())
            continue;
        const QUuid &id = dayEntries.at(position).id;
        if (m_store.find<LedgerEntry>(id) == nullptr)
            continue;
        removal.add<LedgerEntry>(id);
        any = true;
    }
    return any && m_store.remove(removal);
}

void BillsModel::recompute()
{
    m_ledger.sync();
    Q_EMIT aboutToRecompute();
    const RecordRange<LedgerEntry> all = entries();
    m_run = dateMode() == PeriodChoice::all ? LedgerSlice::Run{0, all.size()}
                                            : LedgerSlice::Run::of(all, dateFiltered());
    m_searching = !m_searchText.isEmpty();
    if (m_searching) {
        search();
    } else {
        std::vector<int>().swap(m_found);
        std::vector<DayGroup>().swap(m_foundGroups);
        m_foundText = QString();
        m_recent.clear();
        showRun();
    }
    Q_EMIT recomputed();
}

BillsModel::DayGroup BillsModel::runGroup(size_t day, size_t rowFirst, size_t rowEnd) const
{
    const BillsLedger::Day &kept = m_ledger.days()[day];
    const size_t first = std::max(kept.row, rowFirst);
    const size_t end = std::min(kept.row + kept.count, rowEnd);
    const size_t newest = m_ledger.index().position(end - 1);
    DayGroup group{kept.day, static_cast<int>(newest - m_run.offset), static_cast<int>(end - first), 0, 0};
    const auto &facts = m_ledger.index().facts();
    for (size_t row = first; row < end; ++row) {
        const LedgerEntry &entry = entries()[m_ledger.index().position(row)];
        (m_ledger.index().isIncome(facts[row], entry) ? group.income : group.expense) += entry.amount;
    }
    return group;
}

void BillsModel::showRun()
{
    m_newestCut.reset();
    m_oldestCut.reset();
    m_dayFirst = m_dayEnd = 0;
    m_totals = {};
    const size_t size = entries().size();
    if (m_run.count == 0)
        return;
    const size_t rowFirst = size - m_run.offset - m_run.count;
    const size_t rowEnd = size - m_run.offset;
    m_dayFirst = m_ledger.dayOfRow(rowFirst);
    m_dayEnd = m_ledger.dayOfRow(rowEnd - 1) + 1;
    if (m_run.count == size) {
        m_totals = m_ledger.totals();
        return;
    }
    // A range of whole days holds whole days, but its bounds keep their time of day where the
    // calendar has no such day start: the days at its ends are summed over what it holds.
    const BillsLedger::Day &newest = m_ledger.days()[m_dayEnd - 1];
    if (newest.row + newest.count > rowEnd || newest.row < rowFirst)
        m_newestCut = runGroup(m_dayEnd - 1, rowFirst, rowEnd);
    const BillsLedger::Day &oldest = m_ledger.days()[m_dayFirst];
    if (m_dayFirst != m_dayEnd - 1 && oldest.row < rowFirst)
        m_oldestCut = runGroup(m_dayFirst, rowFirst, rowEnd);
    for (int g = 0; g < groupCount(); ++g) {
        const DayGroup day = group(g);
        m_totals.expense += day.expense;
        m_totals.income += day.income;
    }
}

namespace {

// Reads records at rising positions, stepping from the last one read: within a block a step is
// pointer arithmetic, where an index from the start would search the blocks every time.
class Cursor {
public:
    explicit Cursor(RecordRange<LedgerEntry> all) : m_at(all.begin()) {}
    const LedgerEntry &at(size_t position)
    {
        m_at += static_cast<std::ptrdiff_t>(position - m_position);
        m_position = position;
        return *m_at;
    }

private:
    RecordRange<LedgerEntry>::const_iterator m_at;
    size_t m_position = 0;
};

} // namespace

void BillsModel::search()
{
    const RecordRange<LedgerEntry> all = entries();
    const BillsEntryIndex &index = m_ledger.index();
    const auto &facts = index.facts();

    // The search text is used as typed, untrimmed. Categories and kinds are a few distinct
    // texts, so each of them is tested once here rather than once per entry.
    const QString folded = BillsEntryIndex::folded(m_searchText);
    const std::u16string_view needle(reinterpret_cast<const char16_t *>(folded.utf16()),
                                     static_cast<size_t>(folded.size()));
    std::vector<char> categoryHits;
    categoryHits.reserve(static_cast<size_t>(index.categoryTexts().size()));
    for (const QString &category : index.categoryTexts())
        categoryHits.push_back(category.contains(m_searchText, Qt::CaseInsensitive));
    std::vector<char> kindHits;
    for (const QString &kind : index.kindTexts())
        kindHits.push_back(kind.contains(m_searchText, Qt::CaseInsensitive));
    std::vector<char> sortHits;
    sortHits.reserve(index.sorts().size());
    for (const BillsEntryIndex::Sort &sort : index.sorts())
        sortHits.push_back(categoryHits[sort.categoryId] || kindHits[sort.kindId]);
    // Category, note, kind: what a search looks in. The tables are read through plain pointers
    // taken once, so that the loop keeps them in registers.
    const BillsEntryIndex::Facts *const factsOf = facts.data();
    const char *const sortHit = sortHits.data();
    const char16_t *const noteText = index.noteText();
    const char16_t *const needleEnd = needle.data() + needle.size();
    const auto passes = [&](size_t row) {
        const BillsEntryIndex::Facts f = factsOf[row];
        if (f.sort == BillsEntryIndex::readEntry) {
            const LedgerEntry &entry = all[index.position(row)];
            return entry.category.contains(m_searchText, Qt::CaseInsensitive) ||
                   entry.note.contains(m_searchText, Qt::CaseInsensitive) ||
                   entry.kindRaw.contains(m_searchText, Qt::CaseInsensitive);
        }
        if (sortHit[f.sort])
            return true;
        // A plain loop over the few units of a note: the library's search costs more in calls
        // than a short note takes to read.
        if (f.noteLength < needle.size() || needle.empty())
            return f.noteLength >= needle.size();
        const char16_t *unit = noteText + f.noteStart;
        const char16_t *const last = unit + (f.noteLength - needle.size());
        for (; unit <= last; ++unit) {
            if (*unit == needle.front() && std::equal(needle.data() + 1, needleEnd, unit + 1))
                return true;
        }
        return false;
    };

    // The last result joins the recent ones, which hold while the entries and the run do.
    const bool sameBooks = m_foundVersion == m_ledger.version() && m_foundRun.offset == m_run.offset &&
                           m_foundRun.count == m_run.count;
    if (!sameBooks)
        m_recent.clear();
    else if (!m_foundText.isNull())
        m_recent.push_back({std::move(m_foundText), std::move(m_found), std::move(m_foundGroups), m_totals});
    m_foundText = folded;
    m_foundVersion = m_ledger.version();
    m_foundRun = m_run;
    m_found.clear();
    m_foundGroups.clear();

    const auto same = std::find_if(m_recent.begin(), m_recent.end(),
                                   [&](const Found &found) { return found.text == folded; });
    if (same != m_recent.end()) {
        m_found = std::move(same->positions);
        m_foundGroups = std::move(same->groups);
        m_totals = same->totals;
        m_recent.erase(same);
        return;
    }
    // Every entry holding the longer text holds the shorter one: a keystroke that adds to a
    // text searched before needs to look only at what that search found.
    const Found *base = nullptr;
    for (const Found &found : m_recent) {
        if (folded.contains(found.text) && (!base || found.text.size() > base->text.size()))
            base = &found;
    }
    if (base) {
        std::copy_if(base->positions.begin(), base->positions.end(), std::back_inserter(m_found),
                     [&](int position) { return passes(index.row(static_cast<size_t>(position))); });
    } else {
        // Every note at once: the places of the text's first unit are marked in one pass over
        // the buffer, and each note asks the marks instead of reading its units.
        const NoteMarks marks(noteText, index.noteTextSize(), needle.front());
        const size_t lastRow = facts.size() - 1;
        const size_t length = needle.size();
        const auto holds = [&](size_t at) {
            return std::equal(needle.data() + 1, needleEnd, noteText + at + 1);
        };
        // Into a vector of the loop's own, which nothing else can be changing, so the loop keeps
        // what it reads in registers.
        std::vector<int> hits;
        for (size_t position = m_run.offset; position < m_run.offset + m_run.count; ++position) {
            const size_t row = lastRow - position;
            const BillsEntryIndex::Facts f = factsOf[row];
            bool found;
            if (f.sort == BillsEntryIndex::readEntry) [[unlikely]]
                found = passes(row);
            else if (length == 1) // both tests, without a branch on the first
                found = sortHit[f.sort] | marks.any(f.noteStart, f.noteLength);
            else
                found = sortHit[f.sort] || (f.noteLength >= length &&
                                            marks.anyOf(f.noteStart, f.noteLength - length + 1, holds));
            if (found)
                hits.push_back(static_cast<int>(position));
        }
        m_found = std::move(hits);
    }
    // A few recent texts, and only so many positions between them, oldest dropped first.
    constexpr size_t recentTexts = 8;
    constexpr size_t recentPositions = 1 << 18;
    size_t kept = 0;
    for (const Found &found : m_recent)
        kept += found.positions.size();
    while (!m_recent.empty() && (m_recent.size() > recentTexts || kept > recentPositions)) {
        kept -= m_recent.front().positions.size();
        m_recent.erase(m_recent.begin());
    }

    // Found entries come newest first, so their days are the ledger's from the newest back.
    m_foundGroups.clear();
    m_totals = {};
    size_t day = m_found.empty() ? 0 : m_ledger.dayOfRow(index.row(static_cast<size_t>(m_found.front())));
    const auto &days = m_ledger.days();
    // The amounts are read from entries spread over the whole store: two cursors step through
    // it in the order found, one reading and one asking for the entry a few finds ahead, so the
    // memory is on its way before it is needed and no step searches the store's blocks anew.
    constexpr size_t lookAhead = 8;
    Cursor reading(all);
    Cursor asking(all);
    for (size_t i = 0; i < m_found.size(); ++i) {
        const auto position = static_cast<size_t>(m_found[i]);
        if (i + lookAhead < m_found.size())
            __builtin_prefetch(&asking.at(static_cast<size_t>(m_found[i + lookAhead])));
        const size_t row = index.row(position);
        const bool newDay = m_foundGroups.empty() || row < days[day].row;
        while (row < days[day].row)
            --day;
        if (newDay)
            m_foundGroups.push_back({days[day].day, static_cast<int>(i), 0, 0, 0});
        DayGroup &group = m_foundGroups.back();
        ++group.count;
        const LedgerEntry &entry = reading.at(position);
        const double amount = entry.amount;
        if (index.isIncome(facts[row], entry)) {
            group.income += amount;
            m_totals.income += amount;
        } else {
            group.expense += amount;
            m_totals.expense += amount;
        }
    }
}
