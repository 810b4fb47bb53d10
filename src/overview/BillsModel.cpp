#include "BillsModel.h"

#include "app/ModelStore.h"
#include "model/Clock.h"
#include "model/EntryKind.h"
#include "model/LocalCalendar.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <QTimeZone>

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <string_view>
#include <utility>

using namespace Qt::StringLiterals;

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

QString folded(const QString &text)
{
    QString result(text.size(), Qt::Uninitialized);
    foldInto(text, reinterpret_cast<char16_t *>(result.data()));
    return result;
}

// The same characters, not merely equal ones. A row holds its texts, so they cannot have
// been changed or freed while their address stays the same.
bool sameText(const QString &held, const QString &current)
{
    return held.constData() == current.constData() && held.size() == current.size();
}

} // namespace

// What the list needs of each stored entry, in a compact table: date, amount, kind, the
// category as an index into a table of the few distinct category texts, and the case-folded
// note as a run of one shared buffer. A keystroke reads only this table, never the entries'
// own texts, which lie scattered over the heap: waiting for them is what a scan of 100 000
// entries would spend its time on.
//
// The table follows the store's changes instead of being rebuilt. Beside each row it holds
// the entry's three texts, so that a row still fits its entry exactly when the entry's texts
// are the very ones held (a comparison of addresses) and its date and amount are the same.
struct BillsModel::EntryIndex {
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

    // Oldest entry first, the reverse of the store's order, so that a new entry dated now
    // (the usual insert) is appended instead of shifting every row. facts and held run in
    // parallel; the scans read facts only.
    std::vector<Facts> facts;
    std::vector<Held> held;
    QStringList categoryTexts;
    QHash<QString, quint32> categoryIds;
    std::vector<char16_t> noteText;
    size_t unusedNoteText = 0;
    bool stale = true;

    size_t size() const { return facts.size(); }
    // The row of the entry at a position of the store's order.
    size_t row(size_t position) const { return facts.size() - 1 - position; }
    std::u16string_view note(const Facts &f) const { return {noteText.data() + f.noteStart, f.noteLength}; }

    bool fits(size_t row, const LedgerEntry &entry) const
    {
        const Held &h = held[row];
        const Facts &f = facts[row];
        return sameText(h.category, entry.category) && sameText(h.note, entry.note) &&
               sameText(h.kindRaw, entry.kindRaw) && f.date == entry.date.toMSecsSinceEpoch() &&
               std::bit_cast<quint64>(f.amount) == std::bit_cast<quint64>(entry.amount);
    }

    Facts makeFacts(const LedgerEntry &entry)
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

    // A change of the store inserts, removes or moves a few entries. The rows of the
    // unchanged runs at both ends stay as they are; in between, rows are matched to entries in
    // order, looking one row ahead to step over a removed or moved entry, and only entries
    // left without a row get a new one.
    void sync(const std::vector<LedgerEntry> &entries)
    {
        const size_t newSize = entries.size();
        const size_t oldSize = size();
        const size_t common = std::min(newSize, oldSize);
        const auto old = [&](size_t position) { return oldSize - 1 - position; };
        size_t head = 0; // newest entries, the back of the rows
        while (head < common && fits(old(head), entries[head]))
            ++head;
        size_t tail = 0; // oldest entries, the front of the rows
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

    template <class T>
    static void replace(std::vector<T> &rows, size_t from, size_t to, std::vector<T> &&with)
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

    // Notes of replaced rows stay in the buffer until they make up half of it; then the live
    // notes are copied out in row order.
    void compact()
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
};

// The days met by the last walk over the entries, newest first. Walks come back to the same
// days keystroke after keystroke, so a day's bounds are asked of the calendar once, not on
// every walk. The bounds hold for one time zone; a change of zone starts afresh.
struct BillsModel::DayCache {
    struct Day {
        qint64 start = 0;
        qint64 end = 0;
        QDateTime day;
    };

    std::vector<Day> days;
    QByteArray zone;
    std::vector<Day> walked;
    size_t cursor = 0;

    void beginWalk()
    {
        const QByteArray current = QTimeZone::systemTimeZoneId();
        if (current != zone) {
            days.clear();
            zone = current;
        }
        walked.clear();
        walked.reserve(days.size() + 8);
        cursor = 0;
    }

    // The day of an instant (milliseconds since the epoch), asked newest first and once
    // per day within a walk.
    Day dayOf(qint64 at)
    {
        while (cursor < days.size() && days[cursor].start > at)
            walked.push_back(std::move(days[cursor++]));
        if (cursor < days.size() && at < days[cursor].end) {
            walked.push_back(std::move(days[cursor++]));
            return walked.back();
        }
        const QDate date = QDateTime::fromMSecsSinceEpoch(at, Qt::LocalTime).date();
        Day day;
        day.day = LocalCalendar::startOfDay(date);
        day.start = day.day.toMSecsSinceEpoch();
        const QDateTime next = LocalCalendar::startOfDay(date.addDays(1));
        day.end = next.isValid() ? next.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
        if (day.start <= at && at < day.end)
            walked.push_back(day);
        return day;
    }

    void endWalk()
    {
        walked.insert(walked.end(),
                      std::make_move_iterator(days.begin() + static_cast<std::ptrdiff_t>(cursor)),
                      std::make_move_iterator(days.end()));
        std::swap(days, walked);
        walked.clear();
    }
};

BillsModel::BillsModel(ModelStore &store, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_index(std::make_unique<EntryIndex>())
    , m_days(std::make_unique<DayCache>())
{
    const QDateTime now = Clock::now();
    const QDateTime monthAgo = LocalCalendar::addMonths(now, -1);
    m_startDate = monthAgo.isValid() ? monthAgo : now;
    m_endDate = now;
    connect(&m_store, &ModelStore::entriesChanged, this, &BillsModel::entriesChanged);
    recompute();
}

BillsModel::~BillsModel() = default;

const std::vector<LedgerEntry> &BillsModel::entries() const
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

void BillsModel::setDateMode(DateFilterMode mode)
{
    if (m_dateMode == mode)
        return;
    m_dateMode = mode;
    Q_EMIT filterChanged();
    recompute();
}

void BillsModel::setStartDate(const QDateTime &date)
{
    if (m_startDate == date)
        return;
    m_startDate = date;
    Q_EMIT filterChanged();
    if (m_dateMode == DateFilterMode::custom)
        recompute();
}

void BillsModel::setEndDate(const QDateTime &date)
{
    if (m_endDate == date)
        return;
    m_endDate = date;
    Q_EMIT filterChanged();
    if (m_dateMode == DateFilterMode::custom)
        recompute();
}

// Whole days are stepped rather than the time of day rebuilt on the new day: that time may
// not exist there (a daylight saving gap), and an invalid bound would empty the list.
void BillsModel::setStartDay(QDate day)
{
    if (day.isValid())
        setStartDate(LocalCalendar::addDays(m_startDate, m_startDate.toLocalTime().date().daysTo(day)));
}

void BillsModel::setEndDay(QDate day)
{
    if (day.isValid())
        setEndDate(LocalCalendar::addDays(m_endDate, m_endDate.toLocalTime().date().daysTo(day)));
}

DateInterval BillsModel::customInterval() const
{
    DateInterval interval =
        LocalCalendar::wholeDays(m_startDate.toLocalTime().date(), m_endDate.toLocalTime().date());
    // A last day the calendar cannot step past ends the range at the chosen instant itself.
    if (!interval.end.isValid())
        interval.end = m_endDate;
    return interval;
}

std::span<const LedgerEntry> BillsModel::dateFiltered() const
{
    if (m_dateMode == DateFilterMode::all)
        return entries();
    return LedgerSlice::within(entries(), customInterval());
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

void BillsModel::setShowingAdd(bool showing)
{
    if (m_showingAdd == showing)
        return;
    m_showingAdd = showing;
    Q_EMIT showingAddChanged(showing);
}

void BillsModel::setEditingEntry(const std::optional<LedgerEntry> &entry)
{
    m_editingEntry = entry;
    Q_EMIT editingEntryChanged();
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
    const std::vector<LedgerEntry> &all = entries();
    if (m_index->stale || m_index->size() != all.size())
        m_index->sync(all);
    const EntryIndex &index = *m_index;
    using Kind = EntryIndex::Kind;
    const std::span<const LedgerEntry> range = dateFiltered();
    const size_t offset = range.empty() ? 0 : static_cast<size_t>(range.data() - all.data());

    // The search text is used as typed, untrimmed. Categories and kinds are a few distinct
    // texts, so each of them is tested once here rather than once per entry.
    const bool searching = !m_searchText.isEmpty();
    const QString foldedText = folded(m_searchText);
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
    const auto passes = [&](const EntryIndex::Facts &f, size_t row) {
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
    // start of the current one.
    qint64 dayStart = std::numeric_limits<qint64>::max();
    m_days->beginWalk();
    for (size_t i = 0; i < range.size(); ++i) {
        const size_t position = offset + i;
        const size_t row = index.row(position);
        const EntryIndex::Facts &f = index.facts[row];
        if (searching && !passes(f, row))
            continue;
        if (f.date < dayStart) {
            DayCache::Day day = m_days->dayOf(f.date);
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
