// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelStore.h"

#include "Backups.h"
#include "DataFolder.h"
#include "SqliteDatabase.h"
#include "StoreSchema.h"
#include "model/Clock.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using StoreSchema::Table;

namespace {

QString failure(const QString &path, const QString &reason)
{
    return u"无法打开数据文件 %1：%2"_s.arg(QDir::toNativeSeparators(path), reason);
}

// From this many rows on a change is written as a large one (see largeTransaction).
constexpr size_t largeWrite = 1000;

} // namespace

ModelStore::ModelStore(QString path, std::unique_ptr<SqliteDatabase> db)
    : m_path(std::move(path)), m_db(std::move(db)), m_checkpoint(QFile::encodeName(m_path))
{
}

ModelStore::~ModelStore() = default;

QString ModelStore::defaultPath()
{
    return DataFolder::defaultStorePath();
}

std::unique_ptr<ModelStore> ModelStore::open(const QString &path, QString *error, Upgrade upgrade)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = failure(path, reason);
        return nullptr;
    };

    if (const QString fileError = DataFolder::prepareStore(path); !fileError.isEmpty())
        return fail(fileError);

    auto db = std::make_unique<SqliteDatabase>();
    if (!db->open(path))
        return fail(db->lastError());
    if (db->isReadOnly())
        return fail(u"文件只读"_s);

    // Only reads until the file is known to be ours (or empty) and its records sound: a
    // foreign, damaged or hand-edited file must stay exactly as it was.
    bool fresh = false;
    int olderVersion = 0;
    QString reason;
    std::unique_ptr<ModelStore> store = checked(path, std::move(db), &fresh, &olderVersion, &reason);
    if (!store)
        return fail(reason);

    // Every committed change reaches the disk before the screen shows it.
    SqliteDatabase &opened = *store->m_db;
    if (!opened.exec("PRAGMA synchronous = FULL"))
        return fail(opened.lastError());
    if (olderVersion != 0) {
        // Upgraded before anything else writes to it (the journal mode included), so a file
        // whose upgrade fails stays byte for byte as it was; and only once its copy is kept.
        if (upgrade == Upgrade::keepCopy) {
            if (const QString copyError =
                    Backups::keepBeforeUpgrade(path, olderVersion, Clock::now(), nullptr);
                !copyError.isEmpty())
                return fail(u"升级前无法保存备份：%1"_s.arg(copyError));
        }
        if (const QString upgradeError = StoreSchema::upgrade(opened); !upgradeError.isEmpty())
            return fail(upgradeError);
        QString loadError;
        if (!store->m_imports.load(opened, true, &loadError) ||
            !store->m_recurring.load(opened, true, &loadError))
            return fail(loadError);
    }
    if (opened.scalar("PRAGMA journal_mode = WAL")
            .value_or(QString())
            .compare(u"wal"_s, Qt::CaseInsensitive) != 0)
        return fail(opened.lastError());
    if (fresh && !StoreSchema::create(opened))
        return fail(opened.lastError());
    return store;
}

std::unique_ptr<ModelStore> ModelStore::openReadOnly(const QString &path, QString *error)
{
    const auto fail = [&](const QString &reason) {
        if (error)
            *error = failure(path, reason);
        return nullptr;
    };
    if (const QString fileError = DataFolder::existingStore(path); !fileError.isEmpty())
        return fail(fileError);
    auto db = std::make_unique<SqliteDatabase>();
    if (!db->openReadOnly(path))
        return fail(db->lastError());
    bool fresh = false;
    int olderVersion = 0;
    QString reason;
    std::unique_ptr<ModelStore> store = checked(path, std::move(db), &fresh, &olderVersion, &reason);
    if (!store)
        return fail(reason);
    return store;
}

std::unique_ptr<ModelStore> ModelStore::checked(const QString &path, std::unique_ptr<SqliteDatabase> db,
                                                bool *fresh, int *olderVersion, QString *reason)
{
    const auto fail = [&](const QString &why) {
        *reason = why;
        return nullptr;
    };
    const std::optional<bool> blank = StoreSchema::isBlank(*db);
    if (!blank)
        return fail(db->lastError());
    *fresh = *blank;
    *olderVersion = 0;
    if (!*fresh) {
        const std::optional<int> number = StoreSchema::fileVersion(*db);
        if (!number)
            return fail(db->lastError());
        // An older store is checked as the version it is; its records are read as they are,
        // which no upgrade so far has changed.
        const int expected = StoreSchema::canUpgrade(*number) ? *number : StoreSchema::version;
        const QString mismatch = StoreSchema::layoutProblem(*db, expected);
        if (!mismatch.isEmpty())
            return fail(mismatch);
        if (expected != StoreSchema::version)
            *olderVersion = expected;
    }
    std::unique_ptr<ModelStore> store(new ModelStore(path, std::move(db)));
    QString loadError;
    if (!*fresh && !store->load(&loadError))
        return fail(loadError);
    if (!*fresh && !store->m_imports.load(*store->m_db, *olderVersion == 0, &loadError))
        return fail(loadError);
    // Every older version is one before the recurring tables.
    if (!*fresh && !store->m_recurring.load(*store->m_db, *olderVersion == 0, &loadError))
        return fail(loadError);
    return store;
}

template <class R> OrderedRecords<R> &ModelStore::ordered()
{
    return std::get<OrderedRecords<R>>(m_records);
}

template <class R> const R *ModelStore::find(const QUuid &id) const
{
    const qsizetype at = indexOf<R>(id);
    return at < 0 ? nullptr : &all<R>()[static_cast<size_t>(at)];
}

template <class R> std::optional<qint64> ModelStore::stored(const char *column, const QUuid &id) const
{
    SqliteStatement statement(*m_db, "SELECT " + QByteArray(column) + " FROM \"" +
                                         QByteArray(Table<R>::name) + "\" WHERE \"id\" = ?1 LIMIT 1");
    if (!statement.isValid())
        return std::nullopt;
    statement.bind(1, StoreSchema::uuidText(id));
    if (statement.step() != SQLITE_ROW)
        return std::nullopt;
    return statement.integer(0);
}

template <class R> auto ModelStore::rowidOf() const
{
    return [this](const R &record) { return stored<R>("rowid", record.id).value_or(0); };
}

template <class R> qsizetype ModelStore::indexOf(const QUuid &id) const
{
    return all<R>().indexOf(id, [&]() -> std::optional<qint64> {
        if constexpr (Table<R>::keyColumn != nullptr)
            return stored<R>(('"' + QByteArray(Table<R>::keyColumn) + '"').constData(), id);
        else
            return std::nullopt;
    });
}

bool ModelStore::load(QString *error)
{
    return StoredKinds::all([&]<class R>() { return loadKind<R>(error); });
}

template <class R> bool ModelStore::loadKind(QString *error)
{
    const QByteArray table = '"' + QByteArray(Table<R>::name) + '"';
    // Rowids are assigned in turn, so their span bounds the count without counting the rows;
    // a bound far above it only reserves address space that is never touched.
    const qint64 first = m_db->scalar("SELECT min(rowid) FROM " + table).value_or(QString()).toLongLong();
    const qint64 last = m_db->scalar("SELECT max(rowid) FROM " + table).value_or(QString()).toLongLong();
    qint64 bound = last >= first ? last - first + 1 : 0;
    if (bound > (qint64(1) << 28))
        bound = m_db->scalar("SELECT count(*) FROM " + table).value_or(QString()).toLongLong();
    // Read in file order, which is sequential on disk, and sort in memory: far cheaper than
    // asking SQLite to sort a large table.
    SqliteStatement statement(*m_db, StoreSchema::selectSql(StoreSchema::shapeOf<R>()));
    if (!statement.isValid()) {
        *error = m_db->lastError();
        return false;
    }
    typename OrderedRecords<R>::Loading loaded(static_cast<size_t>(bound));
    TextPool pool;
    const StoreSchema::RowReader row(statement, pool);
    int rc = SQLITE_OK;
    while ((rc = statement.step()) == SQLITE_ROW)
        loaded.append(Table<R>::read(row));
    if (rc != SQLITE_DONE) {
        *error = m_db->lastError();
        return false;
    }
    // Two rows with one id (a file edited by hand) are refused: merging them would pick one
    // person's record over another's.
    if (const std::optional<QUuid> twin = ordered<R>().load(std::move(loaded))) {
        *error = u"表 %1 中有多条记录使用同一编号 %2，文件可能被手工改动过。程序不会合并它们；"
                 u"请用备份恢复（pennyloom --restore 备份文件）。"_s.arg(QString::fromLatin1(Table<R>::name),
                                                                         StoreSchema::uuidText(*twin));
        return false;
    }
    return true;
}

template <class R> void ModelStore::place(R record, qint64 rowid)
{
    Table<R>::normalise(record);
    ordered<R>().insert(std::move(record), rowid, rowidOf<R>());
}

template <class F> bool ModelStore::transaction(F &&work)
{
    if (!m_db->exec("BEGIN IMMEDIATE")) {
        reportFailure();
        return false;
    }
    QString reason;
    if (!work(reason) || !m_db->exec("COMMIT")) {
        reportFailure(reason);
        m_db->exec("ROLLBACK");
        return false;
    }
    return true;
}

template <class F> bool ModelStore::largeTransaction(F &&work)
{
    // A large write touches index pages all over the file; with SQLite's small default page
    // cache each would be read and spilled again and again. The cache grows for this write
    // only (it takes memory as pages come in, not at once).
    m_db->exec("PRAGMA cache_size = -262144");
    // The commit leaves its pages in the log instead of copying them into the file while the
    // window waits; the rows are as safe there.
    m_db->exec("PRAGMA wal_autocheckpoint = 0");
    const auto restore = qScopeGuard([this] {
        m_db->exec("PRAGMA wal_autocheckpoint = 1000");
        m_db->exec("PRAGMA cache_size = -2000");
    });
    if (!transaction(std::forward<F>(work)))
        return false;
    m_checkpoint.start();
    return true;
}

template <class R> bool ModelStore::write(const QByteArray &sql, const R &record)
{
    SqliteStatement statement(*m_db, sql);
    if (!statement.isValid())
        return false;
    Table<R>::bind(statement, record);
    return statement.run();
}

template <class R> bool ModelStore::insert(const R &record)
{
    if (indexOf<R>(record.id) >= 0) {
        reportFailure(u"已有一条编号相同的记录"_s);
        return false;
    }
    const bool written = transaction([&](QString &reason) {
        // The file has no unique key on ids, so the store keeps them unique itself.
        SqliteStatement held(*m_db,
                             "SELECT count(*) FROM \"" + QByteArray(Table<R>::name) + "\" WHERE \"id\" = ?1");
        if (!held.isValid())
            return false;
        held.bind(1, StoreSchema::uuidText(record.id));
        if (held.step() != SQLITE_ROW)
            return false;
        if (held.integer(0) != 0) {
            reason = u"数据文件中已有一条编号相同的记录"_s;
            return false;
        }
        return write(StoreSchema::insertSql(StoreSchema::shapeOf<R>()), record);
    });
    if (!written)
        return false;
    place(record, sqlite3_last_insert_rowid(m_db->handle()));
    emitChanged<R>();
    return true;
}

template <class R> bool ModelStore::update(const R &record)
{
    const qsizetype at = indexOf<R>(record.id);
    if (at < 0)
        return false;
    const bool written = transaction([&](QString &reason) {
        if (!write(StoreSchema::updateSql(StoreSchema::shapeOf<R>()), record))
            return false;
        // No row: the file changed under us; several: it holds the id twice. Either way what
        // memory shows would not be what the file holds.
        if (m_db->changes() != 1) {
            reason =
                m_db->changes() == 0 ? u"数据文件中找不到这条记录"_s : u"数据文件中有多条记录使用这个编号"_s;
            return false;
        }
        return true;
    });
    if (!written)
        return false;
    R held = record;
    Table<R>::normalise(held);
    ordered<R>().replace(static_cast<size_t>(at), std::move(held), rowidOf<R>());
    emitChanged<R>();
    return true;
}

bool ModelStore::updateEntries(const std::vector<LedgerEntry> &entries)
{
    using R = LedgerEntry;
    if (entries.empty())
        return true;
    std::vector<R> after = entries;
    std::vector<size_t> places;
    places.reserve(after.size());
    QSet<QUuid> seen;
    seen.reserve(qsizetype(after.size()));
    bool keysKept = true;
    for (R &entry : after) {
        Table<R>::normalise(entry);
        if (seen.contains(entry.id))
            return false;
        seen.insert(entry.id);
        // A change of category keeps the date, so the entry is where its own key says: no
        // query of the file per entry. Another key costs one, as a single update does.
        qsizetype at =
            all<R>().indexOf(entry.id, [&]() -> std::optional<qint64> { return Table<R>::sortKey(entry); });
        if (at < 0)
            return false;
        keysKept = keysKept && Table<R>::sortKey(all<R>()[size_t(at)]) == Table<R>::sortKey(entry);
        places.push_back(size_t(at));
    }
    const auto work = [&](QString &reason) {
        SqliteStatement statement(*m_db, StoreSchema::updateSql(StoreSchema::shapeOf<R>()));
        if (!statement.isValid())
            return false;
        for (const R &entry : after) {
            Table<R>::bind(statement, entry);
            if (!statement.run())
                return false;
            if (m_db->changes() != 1) {
                reason = m_db->changes() == 0 ? u"数据文件中找不到这条记录"_s
                                              : u"数据文件中有多条记录使用这个编号"_s;
                return false;
            }
        }
        return true;
    };
    const bool written = after.size() > 1000 ? largeTransaction(work) : transaction(work);
    if (!written)
        return false;
    std::vector<R> before;
    before.reserve(after.size());
    for (size_t i = 0; i < after.size(); ++i) {
        // A moved entry shifts the others: their places are looked up again.
        const size_t at = keysKept ? places[i] : size_t(indexOf<R>(after[i].id));
        before.push_back(all<R>()[at]);
        ordered<R>().replace(at, after[i], rowidOf<R>());
    }
    emitChanged<R>();
    Q_EMIT entriesUpdated(before, after);
    return true;
}

template <class R>
bool ModelStore::deleteRows(const std::vector<QUuid> &ids, QString &reason, std::vector<Taken> &taken)
{
    if (ids.empty())
        return true;
    SqliteStatement statement(*m_db, "DELETE FROM \"" + QByteArray(Table<R>::name) +
                                         "\" WHERE \"id\" = ?1 RETURNING rowid");
    if (!statement.isValid())
        return false;
    QSet<QUuid> seen;
    for (const QUuid &id : ids) {
        // Exactly the rows memory holds go: one per held id, none for an unknown or repeated one.
        const bool first = !seen.contains(id);
        seen.insert(id);
        const qsizetype at = first ? indexOf<R>(id) : -1;
        statement.bind(1, StoreSchema::uuidText(id));
        int rows = 0;
        qint64 rowid = 0;
        int rc = SQLITE_OK;
        while ((rc = statement.step()) == SQLITE_ROW) {
            rowid = statement.integer(0);
            ++rows;
        }
        statement.reset();
        if (rc != SQLITE_DONE)
            return false;
        if (rows != (at >= 0 ? 1 : 0)) {
            reason = u"数据文件中的记录与程序中的不一致"_s;
            return false;
        }
        if (at >= 0)
            taken.push_back({static_cast<size_t>(at), rowid});
    }
    std::sort(taken.begin(), taken.end(), [](const Taken &a, const Taken &b) { return a.index < b.index; });
    return true;
}

template <class R> void ModelStore::forget(const std::vector<Taken> &taken)
{
    if (taken.empty())
        return;
    std::vector<size_t> places;
    places.reserve(taken.size());
    for (const Taken &t : taken)
        places.push_back(t.index);
    ordered<R>().erase(places);
    emitChanged<R>();
}

template <class R> bool ModelStore::remove(const QUuid &id)
{
    if (find<R>(id) == nullptr)
        return false;
    return remove(Removal().add<R>(id));
}

template <class R> ModelStore::Removal &ModelStore::Removal::add(const QUuid &id)
{
    m_ids[StoredKinds::indexOf<R>].push_back(id);
    return *this;
}

ModelStore::Removal &ModelStore::Removal::addRecurringRule(const QUuid &id)
{
    m_ruleIDs.push_back(id);
    return *this;
}

bool ModelStore::Removal::isEmpty() const
{
    return m_ruleIDs.empty() &&
           std::all_of(m_ids.begin(), m_ids.end(), [](const auto &ids) { return ids.empty(); });
}

bool ModelStore::remove(const Removal &removal)
{
    if (removal.isEmpty())
        return true;
    StoredKinds::Array<std::vector<Taken>> taken;
    std::vector<ImportedId> importIds;
    // The rules that go, with their rowids.
    std::vector<std::pair<RecurringRule, qint64>> rules;
    const auto work = [&](QString &reason) {
        rules.clear();
        for (const QUuid &id : removal.m_ruleIDs) {
            const RecurringRule *held = m_recurring.find(id);
            const bool repeated = std::any_of(rules.cbegin(), rules.cend(),
                                              [&](const auto &rule) { return rule.first.id == id; });
            if (!held || repeated)
                continue;
            const qint64 rowid = RecurringTables::removeRule(*m_db, id);
            if (rowid < 0)
                return false;
            if (rowid == 0) {
                reason = u"数据文件中找不到这条规则"_s;
                return false;
            }
            rules.emplace_back(*held, rowid);
        }
        const bool deleted = StoredKinds::all([&]<class R>() {
            constexpr size_t kind = StoredKinds::indexOf<R>;
            return deleteRows<R>(removal.m_ids[kind], reason, taken[kind]);
        });
        // An entry's import id goes with it, so that its line can be imported again.
        std::vector<QUuid> gone;
        for (const Taken &t : taken[StoredKinds::indexOf<LedgerEntry>])
            gone.push_back(entries()[t.index].id);
        return deleted && ImportTables::deleteIdsOf(*m_db, gone, importIds);
    };
    // Undoing an import takes as many rows away as it wrote.
    size_t rows = removal.m_ruleIDs.size();
    for (const std::vector<QUuid> &ids : removal.m_ids)
        rows += ids.size();
    const bool written = rows >= largeWrite ? largeTransaction(work) : transaction(work);
    if (!written)
        return false;
    Removed removed;
    StoredKinds::forEach([&]<class R>() { keep<R>(removed, taken[StoredKinds::indexOf<R>]); });
    removed.m_importIds = std::move(importIds);
    for (auto &[rule, rowid] : rules) {
        m_recurring.forgetRule(rule.id);
        removed.m_rules.push_back(std::move(rule));
        removed.m_ruleRowids.push_back(rowid);
    }
    m_imports.forget(removed.m_importIds);
    StoredKinds::forEach([&]<class R>() { forget<R>(taken[StoredKinds::indexOf<R>]); });
    if (!rules.empty())
        Q_EMIT recurringRulesChanged();
    if (!removed.isEmpty())
        Q_EMIT recordsRemoved(removed);
    return true;
}

template <class R> void ModelStore::keep(Removed &removed, const std::vector<Taken> &taken) const
{
    auto &kept = std::get<std::vector<R>>(removed.m_records);
    for (const Taken &t : taken) {
        kept.push_back(all<R>()[t.index]);
        removed.m_sequences[StoredKinds::indexOf<R>].push_back(t.rowid);
    }
}

int ModelStore::Removed::count() const
{
    return int(m_rules.size()) +
           std::apply([](const auto &...records) { return int((records.size() + ...)); }, m_records);
}

ModelStore::Removal ModelStore::Removed::removal() const
{
    Removal removal;
    StoredKinds::forEach([&]<class R>() {
        for (const R &record : records<R>())
            removal.add<R>(record.id);
    });
    for (const RecurringRule &rule : m_rules)
        removal.addRecurringRule(rule.id);
    return removal;
}

template <class R> bool ModelStore::holdsAny(const Removed &removed) const
{
    const std::vector<R> &records = removed.records<R>();
    return std::any_of(records.begin(), records.end(), [&](const R &r) { return indexOf<R>(r.id) >= 0; });
}

template <class R> bool ModelStore::reinsertRows(const Removed &removed, std::vector<qint64> &sequences)
{
    const std::vector<R> &records = removed.records<R>();
    if (records.empty())
        return true;
    const StoreSchema::TableShape shape = StoreSchema::shapeOf<R>();
    const QByteArray table = '"' + QByteArray(Table<R>::name) + '"';
    // Back in the row it held, so that it sorts among equal keys where it did; a row taken
    // since by a newer record leaves the choice to SQLite.
    QByteArray sql = StoreSchema::insertSql(shape);
    sql.replace(") VALUES (", ", rowid) VALUES (");
    sql.insert(sql.size() - 1, ", ?");
    SqliteStatement occupied(*m_db, "SELECT count(*) FROM " + table + " WHERE rowid = ?1");
    SqliteStatement statement(*m_db, sql);
    if (!occupied.isValid() || !statement.isValid())
        return false;
    const int rowidParameter = static_cast<int>(shape.columns.size()) + 1;
    const std::vector<qint64> &held = removed.m_sequences[StoredKinds::indexOf<R>];
    for (size_t i = 0; i < records.size(); ++i) {
        occupied.bind(1, held[i]);
        if (occupied.step() != SQLITE_ROW)
            return false;
        const bool taken = occupied.integer(0) != 0;
        occupied.reset();
        Table<R>::bind(statement, records[i]);
        if (taken)
            statement.bindNull(rowidParameter);
        else
            statement.bind(rowidParameter, held[i]);
        if (!statement.run() || sqlite3_changes(m_db->handle()) != 1)
            return false;
        sequences.push_back(sqlite3_last_insert_rowid(m_db->handle()));
    }
    return true;
}

bool ModelStore::restore(const Removed &removed)
{
    if (removed.isEmpty())
        return true;
    if (StoredKinds::any([&]<class R>() { return holdsAny<R>(removed); }) ||
        m_imports.holdsAny(removed.m_importIds) ||
        std::any_of(removed.m_rules.cbegin(), removed.m_rules.cend(),
                    [&](const RecurringRule &rule) { return m_recurring.find(rule.id) != nullptr; }))
        return false;
    if (!m_db->exec("BEGIN IMMEDIATE")) {
        reportFailure();
        return false;
    }
    StoredKinds::Array<std::vector<qint64>> sequences;
    // Each rule's place in the order once all are back, taken in that order.
    std::vector<std::pair<qsizetype, const RecurringRule *>> rulePlaces;
    const auto rulesBack = [&] {
        std::vector<qint64> rowids;
        for (size_t i = 0; i < removed.m_rules.size(); ++i) {
            rowids.push_back(
                RecurringTables::reinsertRule(*m_db, removed.m_rules[i], removed.m_ruleRowids[i]));
            if (rowids.back() < 0)
                return false;
        }
        for (size_t i = 0; i < rowids.size(); ++i) {
            rulePlaces.emplace_back(RecurringTables::placeOf(*m_db, rowids[i]), &removed.m_rules[i]);
            if (rulePlaces.back().first < 0)
                return false;
        }
        std::sort(rulePlaces.begin(), rulePlaces.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        return true;
    };
    const bool written = StoredKinds::all([&]<class R>() {
                             return reinsertRows<R>(removed, sequences[StoredKinds::indexOf<R>]);
                         }) &&
                         ImportTables::insertIds(*m_db, removed.m_importIds) && rulesBack();
    if (!written || !m_db->exec("COMMIT")) {
        reportFailure();
        m_db->exec("ROLLBACK");
        return false;
    }
    m_imports.remember(removed.m_importIds);
    for (const auto &[place, rule] : rulePlaces)
        m_recurring.rememberRuleAt(place, *rule);
    // All of a kind in one merge: an undone import puts back many entries at once.
    StoredKinds::forEach([&]<class R>() {
        const std::vector<R> &back = removed.records<R>();
        std::vector<std::pair<R, qint64>> placed;
        placed.reserve(back.size());
        for (size_t i = 0; i < back.size(); ++i) {
            placed.emplace_back(back[i], sequences[StoredKinds::indexOf<R>][i]);
            Table<R>::normalise(placed.back().first);
        }
        ordered<R>().insertMany(std::move(placed), rowidOf<R>());
    });
    // Every kind is back before any screen hears of it, so none sees a deposit without its goal.
    StoredKinds::forEach([&]<class R>() {
        if (!removed.records<R>().empty())
            emitChanged<R>();
    });
    if (!removed.m_rules.empty())
        Q_EMIT recurringRulesChanged();
    return true;
}

bool ModelStore::isImported(const ImportRow &row) const
{
    if (row.transactionID.isEmpty())
        return false;
    if (m_imports.isImported(row.source, ImportTables::lineId(row.transactionID, row.entry)))
        return true;
    // Kept by its id alone: the same line when its entry still reads as the row does.
    const QUuid entryID = m_imports.entryOf(row.source, row.transactionID);
    if (entryID.isNull())
        return false;
    const LedgerEntry *held = find<LedgerEntry>(entryID);
    return held && ImportTables::lineId(row.transactionID, *held) ==
                       ImportTables::lineId(row.transactionID, row.entry);
}

std::optional<ModelStore::ImportResult> ModelStore::importEntries(const std::vector<ImportRow> &rows)
{
    ImportResult result;
    std::vector<const ImportRow *> written;
    std::vector<ImportedId> ids;
    QSet<ImportTables::Key> seen;
    QSet<QUuid> newIds;
    for (const ImportRow &row : rows) {
        if (!row.transactionID.isEmpty()) {
            const QString lineId = ImportTables::lineId(row.transactionID, row.entry);
            const ImportTables::Key key = ImportTables::keyOf(row.source, lineId);
            if (isImported(row) || seen.contains(key)) {
                ++result.alreadyImported;
                continue;
            }
            seen.insert(key);
            ids.push_back({row.entry.id, row.source, lineId});
        }
        if (indexOf<LedgerEntry>(row.entry.id) >= 0 || newIds.contains(row.entry.id)) {
            reportFailure(u"已有一条编号相同的记录"_s);
            return std::nullopt;
        }
        newIds.insert(row.entry.id);
        written.push_back(&row);
    }
    if (written.empty())
        return result;

    std::vector<std::pair<LedgerEntry, qint64>> placed;
    placed.reserve(written.size());
    const bool committed = largeTransaction([&](QString &) {
        placed.clear();
        // Unlike a single insert, the file is not asked whether it holds each id: it holds
        // exactly the records in memory (the lock keeps other writers out), which were checked
        // above, and asking costs a lookup in the id index per row.
        SqliteStatement insert(*m_db, StoreSchema::insertSql(StoreSchema::shapeOf<LedgerEntry>()));
        if (!insert.isValid())
            return false;
        for (const ImportRow *row : written) {
            Table<LedgerEntry>::bind(insert, row->entry);
            if (!insert.run())
                return false;
            placed.emplace_back(row->entry, sqlite3_last_insert_rowid(m_db->handle()));
            Table<LedgerEntry>::normalise(placed.back().first);
        }
        return ImportTables::insertIds(*m_db, ids);
    });
    if (!committed)
        return std::nullopt;
    m_imports.remember(ids);
    result.inserted.reserve(placed.size());
    for (const auto &[entry, rowid] : placed)
        result.inserted.push_back(entry.id);
    ordered<LedgerEntry>().insertMany(std::move(placed), rowidOf<LedgerEntry>());
    emitChanged<LedgerEntry>();
    Q_EMIT entriesImported(result.inserted);
    return result;
}

bool ModelStore::setCategoryRule(const CategoryRule &rule)
{
    if (!m_imports.setRule(*m_db, rule)) {
        reportFailure();
        return false;
    }
    Q_EMIT categoryRulesChanged();
    return true;
}

bool ModelStore::removeCategoryRule(const QString &counterparty, const QString &kindRaw)
{
    if (!m_imports.removeRule(*m_db, counterparty, kindRaw)) {
        reportFailure();
        return false;
    }
    Q_EMIT categoryRulesChanged();
    return true;
}

bool ModelStore::setImportMapping(const QString &headerKey, const QString &mapping)
{
    if (!m_imports.setMapping(*m_db, headerKey, mapping)) {
        reportFailure();
        return false;
    }
    return true;
}

bool ModelStore::insertRecurringRule(const RecurringRule &rule)
{
    if (const std::optional<QString> problem = rule.problem()) {
        reportFailure(*problem);
        return false;
    }
    if (m_recurring.find(rule.id)) {
        reportFailure(u"已有一条编号相同的规则"_s);
        return false;
    }
    if (!transaction([&](QString &) { return RecurringTables::insertRule(*m_db, rule); }))
        return false;
    m_recurring.rememberRule(rule);
    Q_EMIT recurringRulesChanged();
    return true;
}

bool ModelStore::updateRecurringRule(const RecurringRule &rule)
{
    if (!m_recurring.find(rule.id))
        return false;
    if (const std::optional<QString> problem = rule.problem()) {
        reportFailure(*problem);
        return false;
    }
    const bool written = transaction([&](QString &reason) {
        const int changed = RecurringTables::updateRule(*m_db, rule);
        if (changed == 0)
            reason = u"数据文件中找不到这条规则"_s;
        return changed == 1;
    });
    if (!written)
        return false;
    m_recurring.replaceRule(rule);
    Q_EMIT recurringRulesChanged();
    return true;
}

bool ModelStore::removeRecurringRule(const QUuid &id)
{
    if (!m_recurring.find(id))
        return false;
    return remove(Removal().addRecurringRule(id));
}

std::optional<std::vector<QUuid>> ModelStore::writeDueOccurrences(const QDateTime &now)
{
    struct Due {
        RecurringTables::Key key;
        LedgerEntry entry;
    };
    std::vector<Due> due;
    const QDate today = now.toLocalTime().date();
    for (const RecurringRule &rule : m_recurring.rules()) {
        std::vector<QDate> days = rule.occurrences(rule.firstDay, today);
        std::erase_if(days, [&](QDate day) { return m_recurring.hasOccurrence(rule.id, day); });
        const std::vector<QDateTime> instants = rule.instantsOn(days);
        for (size_t i = 0; i < days.size(); ++i) {
            if (instants[i] > now)
                continue;
            due.push_back({{rule.id, days[i]}, rule.entryAt(instants[i], now)});
        }
    }
    if (due.empty())
        return std::vector<QUuid>{};

    std::vector<std::pair<LedgerEntry, qint64>> placed;
    std::vector<RecurringTables::Key> claimed;
    const bool committed = largeTransaction([&](QString &) {
        placed.clear();
        claimed.clear();
        SqliteStatement claim(*m_db, RecurringTables::claimSql());
        SqliteStatement insert(*m_db, StoreSchema::insertSql(StoreSchema::shapeOf<LedgerEntry>()));
        if (!claim.isValid() || !insert.isValid())
            return false;
        for (const Due &occurrence : due) {
            RecurringTables::bindClaim(claim, occurrence.key, occurrence.entry.id);
            if (!claim.run())
                return false;
            claimed.push_back(occurrence.key);
            // Claimed before by another process: its entry is that writer's.
            if (m_db->changes() != 1)
                continue;
            Table<LedgerEntry>::bind(insert, occurrence.entry);
            if (!insert.run())
                return false;
            placed.emplace_back(occurrence.entry, sqlite3_last_insert_rowid(m_db->handle()));
            Table<LedgerEntry>::normalise(placed.back().first);
        }
        return true;
    });
    if (!committed)
        return std::nullopt;
    m_recurring.remember(claimed);
    std::vector<QUuid> ids;
    ids.reserve(placed.size());
    for (const auto &[entry, rowid] : placed)
        ids.push_back(entry.id);
    if (ids.empty())
        return ids;
    ordered<LedgerEntry>().insertMany(std::move(placed), rowidOf<LedgerEntry>());
    emitChanged<LedgerEntry>();
    Q_EMIT occurrencesWritten(ids);
    return ids;
}

QString ModelStore::copyTo(const QString &target) const
{
    return m_db->copyTo(target);
}

void ModelStore::reportFailure(const QString &reason)
{
    Q_EMIT writeFailed(u"无法写入数据文件 %1：%2"_s.arg(QDir::toNativeSeparators(m_path),
                                                        reason.isEmpty() ? m_db->lastError() : reason));
}

template <class R> void ModelStore::emitChanged()
{
    // A kind added to the list without its signal would announce nothing. (The table's size is
    // what a constant expression can check: comparing member pointers is not one under UBSan.)
    static_assert(changeSignals.size() == StoredKinds::count);
    Q_EMIT(this->*changeSignals[StoredKinds::indexOf<R>])();
}

// The member templates other files call, made here for every kind: only this file sees their
// definitions.
template <class... R> auto ModelStore::memberTemplates(KindList<R...>)
{
    return std::tuple{std::tuple{&ModelStore::find<R>, &ModelStore::insert<R>, &ModelStore::update<R>,
                                 &ModelStore::remove<R>, &ModelStore::Removal::add<R>}...};
}
template auto ModelStore::memberTemplates(StoredKinds);
