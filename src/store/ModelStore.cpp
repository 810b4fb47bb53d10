#include "ModelStore.h"

#include "DataFolder.h"
#include "LoadOrder.h"
#include "SqliteDatabase.h"
#include "StoreSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;
using StoreSchema::Table;

namespace {

QString failure(const QString &path, const QString &reason)
{
    return u"无法打开数据文件 %1：%2"_s.arg(QDir::toNativeSeparators(path), reason);
}

// Tables and columns of an existing file, checked against the schema before anything is
// written to it.
QString schemaMismatch(SqliteDatabase &db)
{
    const std::optional<QString> version = db.scalar("PRAGMA user_version");
    if (!version)
        return db.lastError();
    if (version->toInt() != StoreSchema::version)
        return u"文件不是 Pennyloom 的数据文件，或其结构版本（%1）不受支持"_s.arg(*version);
    const std::optional<QString> metaVersion =
        db.scalar("SELECT value FROM meta WHERE key = 'schemaVersion'");
    if (!metaVersion || *metaVersion != QString::fromLatin1(StoreSchema::versionText))
        return u"文件缺少结构版本记录"_s;
    for (const StoreSchema::TableShape &shape : StoreSchema::shapes()) {
        SqliteStatement info(db, "PRAGMA table_info(\"" + QByteArray(shape.name) + "\")");
        size_t column = 0;
        bool fits = info.isValid();
        while (fits && info.step() == SQLITE_ROW) {
            fits = column < shape.columns.size() &&
                   info.text(1) == QString::fromLatin1(shape.columns[column].name) &&
                   info.text(2).compare(QString::fromLatin1(shape.columns[column].type),
                                        Qt::CaseInsensitive) == 0;
            ++column;
        }
        if (!fits || column != shape.columns.size())
            return u"表 %1 与程序的数据结构不符"_s.arg(QString::fromLatin1(shape.name));
    }
    return {};
}

bool createSchema(SqliteDatabase &db)
{
    if (db.exec("BEGIN IMMEDIATE;\n" + StoreSchema::createSql() + "COMMIT;"))
        return true;
    db.exec("ROLLBACK");
    return false;
}

} // namespace

ModelStore::ModelStore(QString path, std::unique_ptr<SqliteDatabase> db)
    : m_path(std::move(path)), m_db(std::move(db))
{
}

ModelStore::~ModelStore() = default;

QString ModelStore::defaultPath()
{
    QString dir = qEnvironmentVariable("PENNYLOOM_DATA_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/Pennyloom"_s;
    return QDir(dir).filePath(u"pennyloom.sqlite"_s);
}

std::unique_ptr<ModelStore> ModelStore::open(const QString &path, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = failure(path, reason);
        return nullptr;
    };

    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        return fail(u"路径不是文件"_s);
    if (const QString folderError = DataFolder::prepare(file.absolutePath()); !folderError.isEmpty())
        return fail(folderError);
    // Made 0600 before SQLite sees it: SQLite gives its -wal and -shm the mode of the store.
    if (const QString createError = DataFolder::createPrivateFile(path); !createError.isEmpty())
        return fail(createError);

    auto db = std::make_unique<SqliteDatabase>();
    if (!db->open(path))
        return fail(db->lastError());
    if (db->isReadOnly())
        return fail(u"文件只读"_s);

    // Only reads until the file is known to be ours (or empty) and its records sound: a
    // foreign, damaged or hand-edited file must stay exactly as it was.
    bool fresh = false;
    QString reason;
    std::unique_ptr<ModelStore> store = checked(path, std::move(db), &fresh, &reason);
    if (!store)
        return fail(reason);

    // Every committed change reaches the disk before the screen shows it.
    SqliteDatabase &opened = *store->m_db;
    if (opened.scalar("PRAGMA journal_mode = WAL")
                .value_or(QString())
                .compare(u"wal"_s, Qt::CaseInsensitive) != 0 ||
        !opened.exec("PRAGMA synchronous = FULL"))
        return fail(opened.lastError());
    if (fresh && !createSchema(opened))
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
    if (!QFileInfo(path).isFile())
        return fail(QFileInfo::exists(path) ? u"路径不是文件"_s : DataFolder::systemError(ENOENT));
    auto db = std::make_unique<SqliteDatabase>();
    if (!db->openReadOnly(path))
        return fail(db->lastError());
    bool fresh = false;
    QString reason;
    std::unique_ptr<ModelStore> store = checked(path, std::move(db), &fresh, &reason);
    if (!store)
        return fail(reason);
    return store;
}

std::unique_ptr<ModelStore> ModelStore::checked(const QString &path, std::unique_ptr<SqliteDatabase> db,
                                                bool *fresh, QString *reason)
{
    const auto fail = [&](const QString &why) {
        *reason = why;
        return nullptr;
    };
    const std::optional<QString> tables = db->scalar("SELECT count(*) FROM sqlite_master");
    if (!tables)
        return fail(db->lastError());
    const std::optional<QString> version = db->scalar("PRAGMA user_version");
    if (!version)
        return fail(db->lastError());
    *fresh = tables->toInt() == 0 && version->toInt() == 0;
    if (!*fresh) {
        const QString mismatch = schemaMismatch(*db);
        if (!mismatch.isEmpty())
            return fail(mismatch);
    }
    std::unique_ptr<ModelStore> store(new ModelStore(path, std::move(db)));
    QString loadError;
    if (!*fresh && !store->load(&loadError))
        return fail(loadError);
    return store;
}

template <class R> ModelStore::Collection<R> &ModelStore::collection()
{
    return std::get<Collection<R>>(m_collections);
}

template <class R> const ModelStore::Collection<R> &ModelStore::collection() const
{
    return std::get<Collection<R>>(m_collections);
}

template <class R> const std::vector<R> &ModelStore::all() const
{
    return collection<R>().rows;
}

template <class R> const R *ModelStore::find(const QUuid &id) const
{
    const qsizetype at = indexOf<R>(id);
    return at < 0 ? nullptr : &collection<R>().rows[static_cast<size_t>(at)];
}

template <class R> quint64 ModelStore::changeCount() const
{
    return collection<R>().changes;
}

template <class R> ModelStore::Unchanged ModelStore::unchangedSince(quint64 since) const
{
    const Collection<R> &c = collection<R>();
    Unchanged left{c.rows.size(), c.rows.size()};
    if (since > c.changes || c.changes - since > c.recent.size())
        return {};
    for (quint64 k = since + 1; k <= c.changes; ++k) {
        const Unchanged &one = c.recent[k % c.recent.size()];
        left.front = std::min(left.front, one.front);
        left.back = std::min(left.back, one.back);
    }
    return left;
}

template <class R> void ModelStore::Collection<R>::changed(size_t front, size_t back)
{
    ++changes;
    recent[changes % recent.size()] = {front, back};
}

namespace {

// Orders records and keys newest first, for binary searches over a kind's rows.
template <class R> struct NewestFirst {
    static qint64 key(const R &r) { return Table<R>::sortKey(r); }
    static qint64 key(qint64 k) { return k; }
    bool operator()(const auto &a, const auto &b) const { return key(a) > key(b); }
};

} // namespace

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

template <class R> qsizetype ModelStore::indexOf(const QUuid &id) const
{
    const Collection<R> &c = collection<R>();
    if (!c.ids.mayContain(id))
        return -1;
    const auto matches = [&](const R &r) { return r.id == id; };
    const auto begin = c.rows.begin();
    const auto end = c.rows.end();
    if constexpr (Table<R>::keyColumn != nullptr) {
        const QByteArray column = '"' + QByteArray(Table<R>::keyColumn) + '"';
        if (const std::optional<qint64> key = stored<R>(column.constData(), id)) {
            const auto [first, last] = std::equal_range(begin, end, *key, NewestFirst<R>{});
            if (const auto it = std::find_if(first, last, matches); it != last)
                return it - begin;
        }
    }
    // Not where the file puts it (a file changed under the store), or a kind without keys.
    const auto it = std::find_if(begin, end, matches);
    return it == end ? -1 : it - begin;
}

bool ModelStore::load(QString *error)
{
    return loadKind<LedgerEntry>(error) && loadKind<Budget>(error) && loadKind<SavingsGoal>(error) &&
           loadKind<SavingsDeposit>(error) && loadKind<AssetAccount>(error) &&
           loadKind<AssetAdjustment>(error) && loadKind<FixedAsset>(error);
}

template <class R> bool ModelStore::loadKind(QString *error)
{
    const StoreSchema::TableShape shape{Table<R>::name, Table<R>::columns};
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
    SqliteStatement statement(*m_db, StoreSchema::selectSql(shape));
    if (!statement.isValid()) {
        *error = m_db->lastError();
        return false;
    }
    Collection<R> &c = collection<R>();
    c.rows.clear();
    c.rows.reserve(static_cast<size_t>(bound));
    std::vector<qint64> keys;
    keys.reserve(static_cast<size_t>(bound));
    std::vector<std::uint64_t> fingerprints;
    fingerprints.reserve(static_cast<size_t>(bound));
    TextPool pool;
    const StoreSchema::RowReader row(statement, pool);
    int rc = SQLITE_OK;
    while ((rc = statement.step()) == SQLITE_ROW) {
        c.rows.push_back(Table<R>::read(row));
        keys.push_back(Table<R>::sortKey(c.rows.back()));
        fingerprints.push_back(IdSet::fingerprint(c.rows.back().id));
    }
    if (rc != SQLITE_DONE) {
        *error = m_db->lastError();
        return false;
    }
    // Two rows with one id (a file edited by hand) cannot both be shown and changed safely;
    // merging them would pick one person's record over another's.
    if (!c.ids.assign(std::move(fingerprints))) {
        std::vector<QUuid> ids;
        ids.reserve(c.rows.size());
        for (const R &r : c.rows)
            ids.push_back(r.id);
        std::sort(ids.begin(), ids.end());
        if (const auto twin = std::adjacent_find(ids.begin(), ids.end()); twin != ids.end()) {
            *error = u"表 %1 中有多条记录使用同一编号 %2，文件可能被手工改动过。程序不会合并它们；"
                     u"请用备份恢复（pennyloom --restore 备份文件）。"_s.arg(
                         QString::fromLatin1(Table<R>::name), StoreSchema::uuidText(*twin));
            return false;
        }
    }
    LoadOrder::arrange(c.rows, LoadOrder::newestFirst(keys));
    return true;
}

template <class R>
typename std::vector<R>::iterator ModelStore::slot(typename std::vector<R>::iterator first,
                                                   typename std::vector<R>::iterator last, qint64 key,
                                                   qint64 rowid) const
{
    const auto [from, to] = std::equal_range(first, last, key, NewestFirst<R>{});
    // Records with the same key keep the order they were stored in: the rowid's order.
    return std::partition_point(
        from, to, [&](const R &other) { return stored<R>("rowid", other.id).value_or(0) < rowid; });
}

template <class R> void ModelStore::place(Collection<R> &c, R record, qint64 rowid)
{
    Table<R>::normalise(record);
    const auto position = slot<R>(c.rows.begin(), c.rows.end(), Table<R>::sortKey(record), rowid);
    c.ids.insert(record.id);
    // Measured after the insert, which may have moved the whole vector.
    const auto inserted = c.rows.insert(position, std::move(record));
    const auto at = static_cast<size_t>(inserted - c.rows.begin());
    c.changed(at, c.rows.size() - 1 - at);
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
    Collection<R> &c = collection<R>();
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
        return write(StoreSchema::insertSql({Table<R>::name, Table<R>::columns}), record);
    });
    if (!written)
        return false;
    place(c, record, sqlite3_last_insert_rowid(m_db->handle()));
    emitChanged<R>();
    return true;
}

template <class R> bool ModelStore::update(const R &record)
{
    Collection<R> &c = collection<R>();
    const qsizetype at = indexOf<R>(record.id);
    if (at < 0)
        return false;
    const bool written = transaction([&](QString &reason) {
        if (!write(StoreSchema::updateSql({Table<R>::name, Table<R>::columns}), record))
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
    const auto held = c.rows.begin() + at;
    const qint64 key = Table<R>::sortKey(record);
    const bool moves = Table<R>::sortKey(*held) != key;
    *held = record;
    Table<R>::normalise(*held);
    auto first = held;
    auto last = held;
    if (moves) {
        // Only the records between its old and its new place shift. An update keeps the
        // row, so the record keeps its rank among equal keys.
        const qint64 rowid = stored<R>("rowid", record.id).value_or(0);
        if (const auto before = slot<R>(c.rows.begin(), held, key, rowid); before != held) {
            std::rotate(before, held, held + 1);
            first = before;
        } else {
            const auto after = slot<R>(held + 1, c.rows.end(), key, rowid);
            std::rotate(held, held + 1, after);
            last = after - 1;
        }
    }
    c.changed(static_cast<size_t>(first - c.rows.begin()), static_cast<size_t>(c.rows.end() - 1 - last));
    emitChanged<R>();
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
            taken.push_back({at, rowid});
    }
    std::sort(taken.begin(), taken.end(), [](const Taken &a, const Taken &b) { return a.index < b.index; });
    return true;
}

template <class R> void ModelStore::forget(const std::vector<Taken> &taken)
{
    if (taken.empty())
        return;
    Collection<R> &c = collection<R>();
    const size_t fromBack = c.rows.size() - 1 - static_cast<size_t>(taken.back().index);
    // One pass from the first gone record on, each kept record moved once.
    std::vector<QUuid> gone;
    auto next = taken.begin();
    size_t kept = static_cast<size_t>(next->index);
    for (size_t i = kept; i < c.rows.size(); ++i) {
        if (next != taken.end() && static_cast<size_t>(next->index) == i) {
            gone.push_back(c.rows[i].id);
            ++next;
            continue;
        }
        c.rows[kept++] = std::move(c.rows[i]);
    }
    c.rows.erase(c.rows.begin() + static_cast<qsizetype>(kept), c.rows.end());
    c.ids.erase(gone);
    // The records after the last gone one keep their distance from the end.
    c.changed(static_cast<size_t>(taken.front().index), fromBack);
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
    m_ids[Table<R>::index].push_back(id);
    return *this;
}

bool ModelStore::Removal::isEmpty() const
{
    return std::all_of(m_ids.begin(), m_ids.end(), [](const auto &ids) { return ids.empty(); });
}

bool ModelStore::remove(const Removal &removal)
{
    if (removal.isEmpty())
        return true;
    const auto &ids = removal.m_ids;
    std::array<std::vector<Taken>, StoreSchema::kindCount> taken;
    const bool written = transaction([&](QString &reason) {
        return deleteRows<LedgerEntry>(ids[0], reason, taken[0]) &&
               deleteRows<Budget>(ids[1], reason, taken[1]) &&
               deleteRows<SavingsGoal>(ids[2], reason, taken[2]) &&
               deleteRows<SavingsDeposit>(ids[3], reason, taken[3]) &&
               deleteRows<AssetAccount>(ids[4], reason, taken[4]) &&
               deleteRows<AssetAdjustment>(ids[5], reason, taken[5]) &&
               deleteRows<FixedAsset>(ids[6], reason, taken[6]);
    });
    if (!written)
        return false;
    Removed removed;
    keep<LedgerEntry>(removed, taken[0]);
    keep<Budget>(removed, taken[1]);
    keep<SavingsGoal>(removed, taken[2]);
    keep<SavingsDeposit>(removed, taken[3]);
    keep<AssetAccount>(removed, taken[4]);
    keep<AssetAdjustment>(removed, taken[5]);
    keep<FixedAsset>(removed, taken[6]);
    forget<LedgerEntry>(taken[0]);
    forget<Budget>(taken[1]);
    forget<SavingsGoal>(taken[2]);
    forget<SavingsDeposit>(taken[3]);
    forget<AssetAccount>(taken[4]);
    forget<AssetAdjustment>(taken[5]);
    forget<FixedAsset>(taken[6]);
    if (!removed.isEmpty())
        Q_EMIT recordsRemoved(removed);
    return true;
}

template <class R> void ModelStore::keep(Removed &removed, const std::vector<Taken> &taken) const
{
    const Collection<R> &c = collection<R>();
    auto &records = std::get<std::vector<R>>(removed.m_records);
    for (const Taken &t : taken) {
        records.push_back(c.rows[static_cast<size_t>(t.index)]);
        removed.m_sequences[Table<R>::index].push_back(t.rowid);
    }
}

int ModelStore::Removed::count() const
{
    return std::apply([](const auto &...records) { return int((records.size() + ...)); }, m_records);
}

ModelStore::Removal ModelStore::Removed::removal() const
{
    Removal removal;
    std::apply(
        [&removal](const auto &...records) {
            auto addAll = [&removal]<class R>(const std::vector<R> &kind) {
                for (const R &record : kind)
                    removal.add<R>(record.id);
            };
            (addAll(records), ...);
        },
        m_records);
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
    const StoreSchema::TableShape shape{Table<R>::name, Table<R>::columns};
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
    const std::vector<qint64> &held = removed.m_sequences[Table<R>::index];
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

template <class R> void ModelStore::replace(const Removed &removed, const std::vector<qint64> &sequences)
{
    const std::vector<R> &records = removed.records<R>();
    if (records.empty())
        return;
    Collection<R> &c = collection<R>();
    for (size_t i = 0; i < records.size(); ++i)
        place(c, records[i], sequences[i]);
}

template <class R> void ModelStore::announceRestored(const Removed &removed)
{
    if (!removed.records<R>().empty())
        emitChanged<R>();
}

bool ModelStore::restore(const Removed &removed)
{
    if (removed.isEmpty())
        return true;
    if (holdsAny<LedgerEntry>(removed) || holdsAny<Budget>(removed) || holdsAny<SavingsGoal>(removed) ||
        holdsAny<SavingsDeposit>(removed) || holdsAny<AssetAccount>(removed) ||
        holdsAny<AssetAdjustment>(removed) || holdsAny<FixedAsset>(removed))
        return false;
    if (!m_db->exec("BEGIN IMMEDIATE")) {
        reportFailure();
        return false;
    }
    std::array<std::vector<qint64>, 7> sequences;
    const bool written = reinsertRows<LedgerEntry>(removed, sequences[0]) &&
                         reinsertRows<Budget>(removed, sequences[1]) &&
                         reinsertRows<SavingsGoal>(removed, sequences[2]) &&
                         reinsertRows<SavingsDeposit>(removed, sequences[3]) &&
                         reinsertRows<AssetAccount>(removed, sequences[4]) &&
                         reinsertRows<AssetAdjustment>(removed, sequences[5]) &&
                         reinsertRows<FixedAsset>(removed, sequences[6]);
    if (!written || !m_db->exec("COMMIT")) {
        reportFailure();
        m_db->exec("ROLLBACK");
        return false;
    }
    replace<LedgerEntry>(removed, sequences[0]);
    replace<Budget>(removed, sequences[1]);
    replace<SavingsGoal>(removed, sequences[2]);
    replace<SavingsDeposit>(removed, sequences[3]);
    replace<AssetAccount>(removed, sequences[4]);
    replace<AssetAdjustment>(removed, sequences[5]);
    replace<FixedAsset>(removed, sequences[6]);
    // Every kind is back before any screen hears of it, so none sees a deposit without its goal.
    announceRestored<LedgerEntry>(removed);
    announceRestored<Budget>(removed);
    announceRestored<SavingsGoal>(removed);
    announceRestored<SavingsDeposit>(removed);
    announceRestored<AssetAccount>(removed);
    announceRestored<AssetAdjustment>(removed);
    announceRestored<FixedAsset>(removed);
    return true;
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

template <> void ModelStore::emitChanged<LedgerEntry>()
{
    Q_EMIT entriesChanged();
}
template <> void ModelStore::emitChanged<Budget>()
{
    Q_EMIT budgetsChanged();
}
template <> void ModelStore::emitChanged<SavingsGoal>()
{
    Q_EMIT savingsGoalsChanged();
}
template <> void ModelStore::emitChanged<SavingsDeposit>()
{
    Q_EMIT savingsDepositsChanged();
}
template <> void ModelStore::emitChanged<AssetAccount>()
{
    Q_EMIT assetAccountsChanged();
}
template <> void ModelStore::emitChanged<AssetAdjustment>()
{
    Q_EMIT assetAdjustmentsChanged();
}
template <> void ModelStore::emitChanged<FixedAsset>()
{
    Q_EMIT fixedAssetsChanged();
}

#define PENNYLOOM_STORE_KIND(R)                                                                              \
    template const std::vector<R> &ModelStore::all<R>() const;                                               \
    template const R *ModelStore::find<R>(const QUuid &) const;                                              \
    template quint64 ModelStore::changeCount<R>() const;                                                     \
    template ModelStore::Unchanged ModelStore::unchangedSince<R>(quint64) const;                             \
    template bool ModelStore::insert<R>(const R &);                                                          \
    template bool ModelStore::update<R>(const R &);                                                          \
    template bool ModelStore::remove<R>(const QUuid &);                                                      \
    template ModelStore::Removal &ModelStore::Removal::add<R>(const QUuid &);

PENNYLOOM_STORE_KIND(LedgerEntry)
PENNYLOOM_STORE_KIND(Budget)
PENNYLOOM_STORE_KIND(SavingsGoal)
PENNYLOOM_STORE_KIND(SavingsDeposit)
PENNYLOOM_STORE_KIND(AssetAccount)
PENNYLOOM_STORE_KIND(AssetAdjustment)
PENNYLOOM_STORE_KIND(FixedAsset)
