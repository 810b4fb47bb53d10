// SPDX-License-Identifier: GPL-3.0-or-later
#include "BillsModel.h"

#include "BillsEntryIndex.h"
#include "DayBoundaries.h"
#include "model/EntryKind.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

#include <array>
#include <limits>
#include <string_view>
#include <utility>

using namespace Qt::StringLiterals;

const PeriodSelection::Rules &BillsModel::dateRules()
{
    static const PeriodSelection::Rules rules{
        {{PeriodChoice::all, u"全部账单"_s}, {PeriodChoice::custom, u"自定义日期"_s}},
        PeriodSelection::DayEnd::excluded,
        PeriodSelection::EarlyEnd::emptiesSpan};
    return rules;
}

BillsModel::BillsModel(ModelStore &store, QObject *parent)
    : PeriodModel(dateRules(), PeriodChoice::all, parent)
    , m_store(store)
    , m_index(std::make_unique<BillsEntryIndex>())
    , m_days(std::make_unique<DayBoundaries>())
{
    connect(&m_store, &ModelStore::entriesChanged, this, &BillsModel::entriesChanged);
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

const LedgerEntry &BillsModel::filteredEntry(int index) const
{
    return entries().at(static_cast<size_t>(m_filtered.at(static_cast<size_t>(index))));
}

QList<LedgerEntry> BillsModel::dayEntries(int group) const
{
    QList<LedgerEntry> result;
    if (group < 0 || group >= static_cast<int>(m_groups.size()))
        return result;
    const DayGroup &day = m_groups[static_cast<size_t>(group)];
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

void BillsModel::entriesChanged()
{
    m_index->stale = true;
    recompute();
}

void BillsModel::recompute()
{
    const RecordRange<LedgerEntry> all = entries();
    if (m_index->stale || m_index->size() != all.size()) {
        const ModelStore::Unchanged unchanged = m_store.unchangedSince<LedgerEntry>(m_indexChanges);
        m_index->sync(all, unchanged.front, unchanged.back);
        m_indexChanges = m_store.changeCount<LedgerEntry>();
    }
    const BillsEntryIndex &index = *m_index;
    using Kind = BillsEntryIndex::Kind;
    const RecordRange<LedgerEntry> range = dateFiltered();
    const size_t offset = range.empty() ? 0 : static_cast<size_t>(range.begin() - all.begin());

    // The search text is used as typed, untrimmed. Categories and kinds are a few distinct
    // texts, so each of them is tested once here rather than once per entry.
    const bool searching = !m_searchText.isEmpty();
    const QString foldedText = BillsEntryIndex::folded(m_searchText);
    const std::u16string_view needle(reinterpret_cast<const char16_t *>(foldedText.utf16()),
                                     static_cast<size_t>(foldedText.size()));
    std::vector<char> categoryHits;
    std::array<bool, 2> kindHits{};
    if (searching) {
        categoryHits.reserve(static_cast<size_t>(index.categoryTexts.size()));
        for (const QString &category : index.categoryTexts)
            categoryHits.push_back(category.contains(m_searchText, Qt::CaseInsensitive));
        kindHits[0] = EntryKinds::rawText(EntryKind::expense).contains(m_searchText, Qt::CaseInsensitive);
        kindHits[1] = EntryKinds::rawText(EntryKind::income).contains(m_searchText, Qt::CaseInsensitive);
    }
    // Category, note, kind: the order of the test.
    const auto passes = [&](const BillsEntryIndex::Facts &f, size_t row) {
        if (categoryHits[f.categoryId])
            return true;
        if (f.noteLength >= needle.size() && index.note(f).find(needle) != std::u16string_view::npos)
            return true;
        if (f.kind == Kind::other)
            return index.held[row].kindRaw.contains(m_searchText, Qt::CaseInsensitive);
        return kindHits[static_cast<size_t>(f.kind)];
    };

    std::vector<int> filtered;
    filtered.reserve(searching ? 1024 : range.size());
    std::vector<DayGroup> groups;
    LedgerSlice::Totals totals;
    // Entries come newest first, so a new day starts exactly when an entry falls before the
    // start of the current one; the first entry always starts one, whatever its date.
    qint64 dayStart = std::numeric_limits<qint64>::max();
    m_days->beginWalk();
    for (size_t i = 0; i < range.size(); ++i) {
        const size_t position = offset + i;
        const size_t row = index.row(position);
        const BillsEntryIndex::Facts &f = index.facts[row];
        if (searching && !passes(f, row))
            continue;
        if (groups.empty() || f.date < dayStart) {
            DayBoundaries::Day day = m_days->dayOf(f.date);
            dayStart = day.start;
            groups.push_back({std::move(day.day), static_cast<int>(filtered.size()), 0, 0, 0});
        }
        DayGroup &group = groups.back();
        ++group.count;
        if (f.kind == Kind::income) {
            group.income += f.amount;
            totals.income += f.amount;
        } else {
            group.expense += f.amount;
            totals.expense += f.amount;
        }
        filtered.push_back(static_cast<int>(position));
    }
    m_days->endWalk();

    Q_EMIT aboutToRecompute();
    m_filtered = std::move(filtered);
    m_groups = std::move(groups);
    m_totals = totals;
    Q_EMIT recomputed();
}
