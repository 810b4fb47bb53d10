// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SqliteDatabase.h"
#include "StoredKinds.h"
#include "TextPool.h"

#include <array>
#include <span>

// How each record kind maps to its table: one table per kind, named after it, one column per
// field in declaration order. UUIDs are lowercase text, amounts REAL, dates INTEGER
// milliseconds since the epoch (UTC), an absent optional date NULL.
namespace StoreSchema {

inline constexpr int version = 10200; // 1.2.0 as major * 10000 + minor * 100 + patch
inline constexpr const char *versionText = "1.2.0";
// The first version of the file; a store this old is upgraded step by step.
inline constexpr int firstVersion = 10000;

// "1.1.0" for 10100.
QString versionName(int number);

// What a column holds beyond its SQL type: an id is a canonical UUID text, a date an instant
// in milliseconds.
enum class Holds { value, id, date };

struct Column {
    const char *name;
    const char *type;
    Holds holds = Holds::value;
};

// The table of a record kind: its name, its columns, the key the
// screens sort by (newest first), the column that holds that key (none when all are equal),
// and how a record is written and read. normalise() makes a record what reading it back would
// give: dates in UTC, texts well formed.
template <class R> struct Table;

QString uuidText(const QUuid &id);
// The id a stored text names, as QUuid::fromString reads it; the usual lowercase form without
// braces is read straight from its bytes.
QUuid uuidFrom(QByteArrayView text);

// One stored row as records read it: equal texts shared through the pool, ids read from
// their bytes, dates as UTC instants.
class RowReader {
public:
    RowReader(const SqliteStatement &statement, TextPool &pool) : m_s(statement), m_pool(pool) {}
    QString text(int column) const { return m_pool.text(m_s.utf8(column)); }
    QUuid uuid(int column) const { return uuidFrom(m_s.utf8(column)); }
    double real(int column) const { return m_s.real(column); }
    qint64 integer(int column) const { return m_s.integer(column); }
    QDateTime date(int column) const;
    std::optional<QDateTime> optionalDate(int column) const;

private:
    const SqliteStatement &m_s;
    TextPool &m_pool;
};
inline void wellFormed(QString &text)
{
    text = SqliteStatement::wellFormed(text);
}
QDateTime dateFrom(qint64 msecs);

template <> struct Table<LedgerEntry> {
    static constexpr const char *name = "LedgerEntry";
    static constexpr std::array<Column, 7> columns{{{"id", "TEXT", Holds::id},
                                                    {"amount", "REAL"},
                                                    {"date", "INTEGER", Holds::date},
                                                    {"kindRaw", "TEXT"},
                                                    {"category", "TEXT"},
                                                    {"note", "TEXT"},
                                                    {"createdAt", "INTEGER", Holds::date}}};
    static qint64 sortKey(const LedgerEntry &r) { return r.date.toMSecsSinceEpoch(); }
    static constexpr const char *keyColumn = "date";
    static void bind(SqliteStatement &s, const LedgerEntry &r);
    static LedgerEntry read(const RowReader &s);
    static void normalise(LedgerEntry &r)
    {
        r.date = r.date.toUTC();
        r.createdAt = r.createdAt.toUTC();
        wellFormed(r.kindRaw);
        wellFormed(r.category);
        wellFormed(r.note);
    }
};

template <> struct Table<Budget> {
    static constexpr const char *name = "Budget";
    static constexpr std::array<Column, 6> columns{{{"id", "TEXT", Holds::id},
                                                    {"category", "TEXT"},
                                                    {"limit", "REAL"},
                                                    {"monthKey", "TEXT"},
                                                    {"periodStart", "INTEGER", Holds::date},
                                                    {"periodEnd", "INTEGER", Holds::date}}};
    static qint64 sortKey(const Budget &) { return 0; }
    static constexpr const char *keyColumn = nullptr;
    static void bind(SqliteStatement &s, const Budget &r);
    static Budget read(const RowReader &s);
    static void normalise(Budget &r)
    {
        if (r.periodStart)
            r.periodStart = r.periodStart->toUTC();
        if (r.periodEnd)
            r.periodEnd = r.periodEnd->toUTC();
        wellFormed(r.category);
        wellFormed(r.monthKey);
    }
};

template <> struct Table<SavingsGoal> {
    static constexpr const char *name = "SavingsGoal";
    static constexpr std::array<Column, 5> columns{{{"id", "TEXT", Holds::id},
                                                    {"name", "TEXT"},
                                                    {"targetAmount", "REAL"},
                                                    {"expectedDate", "INTEGER", Holds::date},
                                                    {"createdAt", "INTEGER", Holds::date}}};
    static qint64 sortKey(const SavingsGoal &r) { return r.createdAt.toMSecsSinceEpoch(); }
    static constexpr const char *keyColumn = "createdAt";
    static void bind(SqliteStatement &s, const SavingsGoal &r);
    static SavingsGoal read(const RowReader &s);
    static void normalise(SavingsGoal &r)
    {
        r.expectedDate = r.expectedDate.toUTC();
        r.createdAt = r.createdAt.toUTC();
        wellFormed(r.name);
    }
};

template <> struct Table<SavingsDeposit> {
    static constexpr const char *name = "SavingsDeposit";
    static constexpr std::array<Column, 5> columns{{{"id", "TEXT", Holds::id},
                                                    {"goalID", "TEXT", Holds::id},
                                                    {"amount", "REAL"},
                                                    {"date", "INTEGER", Holds::date},
                                                    {"note", "TEXT"}}};
    static qint64 sortKey(const SavingsDeposit &r) { return r.date.toMSecsSinceEpoch(); }
    static constexpr const char *keyColumn = "date";
    static void bind(SqliteStatement &s, const SavingsDeposit &r);
    static SavingsDeposit read(const RowReader &s);
    static void normalise(SavingsDeposit &r)
    {
        r.date = r.date.toUTC();
        wellFormed(r.note);
    }
};

template <> struct Table<AssetAccount> {
    static constexpr const char *name = "AssetAccount";
    static constexpr std::array<Column, 6> columns{{{"id", "TEXT", Holds::id},
                                                    {"name", "TEXT"},
                                                    {"kind", "TEXT"},
                                                    {"dimension", "TEXT"},
                                                    {"openingBalance", "REAL"},
                                                    {"createdAt", "INTEGER", Holds::date}}};
    static qint64 sortKey(const AssetAccount &r) { return r.createdAt.toMSecsSinceEpoch(); }
    static constexpr const char *keyColumn = "createdAt";
    static void bind(SqliteStatement &s, const AssetAccount &r);
    static AssetAccount read(const RowReader &s);
    static void normalise(AssetAccount &r)
    {
        r.createdAt = r.createdAt.toUTC();
        wellFormed(r.name);
        wellFormed(r.kind);
        wellFormed(r.dimension);
    }
};

template <> struct Table<AssetAdjustment> {
    static constexpr const char *name = "AssetAdjustment";
    static constexpr std::array<Column, 5> columns{{{"id", "TEXT", Holds::id},
                                                    {"accountID", "TEXT", Holds::id},
                                                    {"amount", "REAL"},
                                                    {"date", "INTEGER", Holds::date},
                                                    {"note", "TEXT"}}};
    static qint64 sortKey(const AssetAdjustment &r) { return r.date.toMSecsSinceEpoch(); }
    static constexpr const char *keyColumn = "date";
    static void bind(SqliteStatement &s, const AssetAdjustment &r);
    static AssetAdjustment read(const RowReader &s);
    static void normalise(AssetAdjustment &r)
    {
        r.date = r.date.toUTC();
        wellFormed(r.note);
    }
};

template <> struct Table<FixedAsset> {
    static constexpr const char *name = "FixedAsset";
    static constexpr std::array<Column, 8> columns{{{"id", "TEXT", Holds::id},
                                                    {"category", "TEXT"},
                                                    {"name", "TEXT"},
                                                    {"currentValue", "REAL"},
                                                    {"purchaseDate", "INTEGER", Holds::date},
                                                    {"usefulLifeMonths", "INTEGER"},
                                                    {"note", "TEXT"},
                                                    {"createdAt", "INTEGER", Holds::date}}};
    static qint64 sortKey(const FixedAsset &r) { return r.createdAt.toMSecsSinceEpoch(); }
    static constexpr const char *keyColumn = "createdAt";
    static void bind(SqliteStatement &s, const FixedAsset &r);
    static FixedAsset read(const RowReader &s);
    static void normalise(FixedAsset &r)
    {
        r.purchaseDate = r.purchaseDate.toUTC();
        r.createdAt = r.createdAt.toUTC();
        wellFormed(r.category);
        wellFormed(r.name);
        wellFormed(r.note);
    }
};

// Table name and expected columns of a kind.
struct TableShape {
    const char *name;
    std::span<const Column> columns;
};
template <class R> TableShape shapeOf()
{
    return {Table<R>::name, Table<R>::columns};
}
// Every kind's, in schema order.
StoredKinds::Array<TableShape> shapes();

// The tables beside the records' own, each with the version that added it: where imported
// entries came from, the categories the user chose for counterparties, the column mappings
// remembered for CSV files, the recurring rules and the days each rule has had its entry for.
struct SideTable {
    int since;
    TableShape shape;
};
inline constexpr std::array<Column, 3> importedEntryColumns{
    {{"entryID", "TEXT", Holds::id}, {"source", "TEXT"}, {"transactionID", "TEXT"}}};
inline constexpr std::array<Column, 3> categoryRuleColumns{
    {{"counterparty", "TEXT"}, {"kindRaw", "TEXT"}, {"category", "TEXT"}}};
inline constexpr std::array<Column, 2> importMappingColumns{{{"headerKey", "TEXT"}, {"mapping", "TEXT"}}};
// Days are local calendar days as ISO texts (2024-03-05), the time of day a local wall-clock
// time (09:00:00): neither is an instant.
inline constexpr std::array<Column, 15> recurringRuleColumns{{{"id", "TEXT", Holds::id},
                                                              {"amount", "REAL"},
                                                              {"kindRaw", "TEXT"},
                                                              {"category", "TEXT"},
                                                              {"note", "TEXT"},
                                                              {"timeOfDay", "TEXT"},
                                                              {"repeat", "TEXT"},
                                                              {"interval", "INTEGER"},
                                                              {"weekday", "INTEGER"},
                                                              {"month", "INTEGER"},
                                                              {"monthDay", "INTEGER"},
                                                              {"firstDay", "TEXT"},
                                                              {"lastDay", "TEXT"},
                                                              {"count", "INTEGER"},
                                                              {"createdAt", "INTEGER", Holds::date}}};
inline constexpr std::array<Column, 3> recurringOccurrenceColumns{
    {{"ruleID", "TEXT", Holds::id}, {"day", "TEXT"}, {"entryID", "TEXT", Holds::id}}};
inline constexpr std::array<SideTable, 5> sideTables{
    {{10100, {"ImportedEntry", importedEntryColumns}},
     {10100, {"CategoryRule", categoryRuleColumns}},
     {10100, {"ImportMapping", importMappingColumns}},
     {10200, {"RecurringRule", recurringRuleColumns}},
     {10200, {"RecurringOccurrence", recurringOccurrenceColumns}}}};

// One step of the upgrade of an older store: the statements that bring a file of version
// `from` to version `to`. The steps run in this order; the upgrade adds the new version
// number to the file itself.
struct UpgradeStep {
    int from;
    int to;
    const char *sql;
};
// Whether the steps lead from that version of the file to this program's.
bool canUpgrade(int fromVersion);
// The file's PRAGMA user_version; nothing when it cannot be read.
std::optional<int> fileVersion(SqliteDatabase &db);
// Runs every step from the file's version up to this program's in one transaction, and
// commits only when the result fits the tables the records are read from. Empty on success;
// otherwise why not, and the file is as it was.
QString upgrade(SqliteDatabase &db);

// SQL of the tables, written from the column lists.
QByteArray createTableSql(const TableShape &shape);
// Every statement that makes a store of the given version: the statements of the first
// version (the meta table with the version record, each kind's table and index, and the
// version number) followed by those of each upgrade step up to it. A new store and an
// upgraded one are thus made by the very same statements.
QByteArray createSql(int atVersion = version);
QByteArray insertSql(const TableShape &shape);
QByteArray updateSql(const TableShape &shape);
// Every column and then the rowid, in file order.
QByteArray selectSql(const TableShape &shape);

// Whether the open file holds nothing yet: no table and no version, as a new file. Nothing when
// the file cannot be read.
std::optional<bool> isBlank(SqliteDatabase &db);
// Makes the tables of a new store in the blank file, in one transaction.
bool create(SqliteDatabase &db);
// Empty when the open file is a store of the given version (this one, or an older one that
// can be upgraded) whose tables have the columns the records are read from, in order and of
// their types; otherwise why not, in words for the user. Only reads: what it finds decides
// whether the file may be opened at all.
QString layoutProblem(SqliteDatabase &db, int atVersion = version);

// Empty when the open file holds exactly what createSql makes, at this version or at an older
// one the program can upgrade: the same tables, columns and indexes, and no trigger, view or
// table of anyone else's. Otherwise why not, in words for the user, to follow the file's name.
QString schemaProblem(SqliteDatabase &db);

// Empty when every id and reference in the file is a canonical UUID text, as uuidText writes
// it, and every date an instant in the years 1 to 9999. Otherwise the first value that is not.
QString recordProblem(SqliteDatabase &db);

} // namespace StoreSchema
