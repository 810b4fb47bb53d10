// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreSchema.h"

#include "model/EntryRules.h"

#include <QMap>
#include <QStringList>

#include <sqlite3.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace StoreSchema {

namespace {

void bindDate(SqliteStatement &s, int index, const QDateTime &date)
{
    s.bind(index, static_cast<qint64>(date.toMSecsSinceEpoch()));
}

void bindOptionalDate(SqliteStatement &s, int index, const std::optional<QDateTime> &date)
{
    if (date && date->isValid())
        bindDate(s, index, *date);
    else
        s.bindNull(index);
}

// Hex digit values by byte, -1 for every other byte.
constexpr std::array<qint8, 256> hexDigits = [] {
    std::array<qint8, 256> digits{};
    digits.fill(-1);
    for (int i = 0; i < 10; ++i)
        digits['0' + i] = static_cast<qint8>(i);
    for (int i = 0; i < 6; ++i) {
        digits['a' + i] = static_cast<qint8>(10 + i);
        digits['A' + i] = static_cast<qint8>(10 + i);
    }
    return digits;
}();

// The value of the hex digits text[from, from + count), or -1 when one is not a hex digit.
qint64 hexNumber(const char *text, int from, int count)
{
    qint64 value = 0;
    qint8 bad = 0;
    for (int i = from; i < from + count; ++i) {
        const qint8 digit = hexDigits[static_cast<unsigned char>(text[i])];
        bad |= digit;
        value = value << 4 | (digit & 15);
    }
    return bad < 0 ? -1 : value;
}

QByteArray quoted(const char *name)
{
    return '"' + QByteArray(name) + '"';
}

QByteArray columnList(const TableShape &shape)
{
    QByteArrayList names;
    for (const Column &column : shape.columns)
        names.append(quoted(column.name));
    return names.join(", ");
}

// The statements of each step. Version 1.1.0 keeps which entry came from which line of an
// imported file (one line is imported once per source), category rules per counterparty and
// kind, and the remembered column mappings of CSV files, as the reader side writes them.
// Version 1.2.0 keeps the recurring rules and, per rule and day, the entry written for it: the
// key is unique in the file, so an occurrence is written once whichever process writes it,
// and it stays when the entry is deleted, so a deleted occurrence does not come back.
constexpr std::array<UpgradeStep, 2> steps{{
    {10000, 10100,
     "CREATE TABLE \"ImportedEntry\" (\"entryID\" TEXT NOT NULL, \"source\" TEXT NOT NULL, "
     "\"transactionID\" TEXT NOT NULL);\n"
     "CREATE UNIQUE INDEX \"ImportedEntry_transaction\" ON \"ImportedEntry\" (\"source\", "
     "\"transactionID\");\n"
     "CREATE INDEX \"ImportedEntry_entryID\" ON \"ImportedEntry\" (\"entryID\");\n"
     "CREATE TABLE \"CategoryRule\" (\"counterparty\" TEXT NOT NULL, \"kindRaw\" TEXT NOT NULL, "
     "\"category\" TEXT NOT NULL, PRIMARY KEY (\"counterparty\", \"kindRaw\"));\n"
     "CREATE TABLE \"ImportMapping\" (\"headerKey\" TEXT PRIMARY KEY NOT NULL, \"mapping\" TEXT NOT "
     "NULL);\n"},
    {10100, 10200,
     "CREATE TABLE \"RecurringRule\" (\"id\" TEXT PRIMARY KEY NOT NULL, \"amount\" REAL NOT NULL, "
     "\"kindRaw\" TEXT NOT NULL, \"category\" TEXT NOT NULL, \"note\" TEXT NOT NULL, \"timeOfDay\" TEXT "
     "NOT NULL, \"repeat\" TEXT NOT NULL, \"interval\" INTEGER NOT NULL, \"weekday\" INTEGER NOT NULL, "
     "\"month\" INTEGER NOT NULL, \"monthDay\" INTEGER NOT NULL, \"firstDay\" TEXT NOT NULL, \"lastDay\" "
     "TEXT, \"count\" INTEGER, \"createdAt\" INTEGER NOT NULL);\n"
     "CREATE TABLE \"RecurringOccurrence\" (\"ruleID\" TEXT NOT NULL, \"day\" TEXT NOT NULL, \"entryID\" "
     "TEXT NOT NULL, UNIQUE (\"ruleID\", \"day\"));\n"},
}};

QString newerProblem(int number)
{
    return u"由更新版本的 Pennyloom 写成（数据结构 %1，本程序认识的是 %2），请先升级 Pennyloom"_s.arg(
        versionName(number), QString::fromLatin1(versionText));
}

QByteArray versionSql(int number)
{
    return "UPDATE meta SET value = '" + versionName(number).toLatin1() +
           "' WHERE key = 'schemaVersion';\nPRAGMA user_version = " + QByteArray::number(number) + ";\n";
}

// What the file's schema table lists, by name: the kind of each object, its table and the
// statement that made it. SQLite's own tables and the indexes it makes for a table's
// constraints are left out; those constraints are part of the table's statement.
struct SchemaObject {
    QString type;
    QString table;
    QString sql;
    bool operator==(const SchemaObject &) const = default;
};

std::optional<QMap<QString, SchemaObject>> schemaObjects(SqliteDatabase &db)
{
    SqliteStatement statement(db, "SELECT type, name, tbl_name, sql FROM sqlite_master WHERE NOT "
                                  "((type = 'table' AND name LIKE 'sqlite\\_%' ESCAPE '\\') OR "
                                  "(type = 'index' AND sql IS NULL))");
    if (!statement.isValid())
        return std::nullopt;
    QMap<QString, SchemaObject> objects;
    int rc = SQLITE_OK;
    while ((rc = statement.step()) == SQLITE_ROW)
        objects.insert(statement.text(1), {statement.text(0), statement.text(2), statement.text(3)});
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return objects;
}

QString objectName(const QString &type, const QString &name)
{
    if (type == u"table"_s)
        return u"表 %1"_s.arg(name);
    if (type == u"index"_s)
        return u"索引 %1"_s.arg(name);
    if (type == u"trigger"_s)
        return u"触发器 %1"_s.arg(name);
    if (type == u"view"_s)
        return u"视图 %1"_s.arg(name);
    return u"%1 %2"_s.arg(type, name);
}

// The GLOB pattern of a UUID as uuidText writes it: lowercase hex digits in groups of 8-4-4-4-12.
QByteArray uuidPattern()
{
    QByteArray pattern;
    for (int group : {8, 4, 4, 4, 12}) {
        if (!pattern.isEmpty())
            pattern += '-';
        pattern += QByteArray("[0-9a-f]").repeated(group);
    }
    return pattern;
}

} // namespace

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces);
}

QUuid uuidFrom(QByteArrayView text)
{
    // xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx, as uuidText writes it.
    const char *t = text.data();
    if (text.size() == 36 && t[8] == '-' && t[13] == '-' && t[18] == '-' && t[23] == '-') {
        const qint64 parts[] = {hexNumber(t, 0, 8), hexNumber(t, 9, 4), hexNumber(t, 14, 4),
                                hexNumber(t, 19, 4), hexNumber(t, 24, 12)};
        if (std::all_of(std::begin(parts), std::end(parts), [](qint64 p) { return p >= 0; })) {
            const auto byte = [&](int shift) { return static_cast<uchar>(parts[4] >> shift); };
            return QUuid(static_cast<uint>(parts[0]), static_cast<ushort>(parts[1]),
                         static_cast<ushort>(parts[2]), static_cast<uchar>(parts[3] >> 8),
                         static_cast<uchar>(parts[3]), byte(40), byte(32), byte(24), byte(16), byte(8),
                         byte(0));
        }
    }
    return QUuid::fromString(QAnyStringView(QUtf8StringView(text)));
}

QDateTime RowReader::date(int column) const
{
    return dateFrom(m_s.integer(column));
}

std::optional<QDateTime> RowReader::optionalDate(int column) const
{
    if (m_s.isNull(column))
        return std::nullopt;
    return date(column);
}

QDateTime dateFrom(qint64 msecs)
{
    // UTC instants compare without a time-zone lookup; screens convert to local time to show them.
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
}

void Table<LedgerEntry>::bind(SqliteStatement &s, const LedgerEntry &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, r.amount);
    bindDate(s, 3, r.date);
    s.bind(4, r.kindRaw);
    s.bind(5, r.category);
    s.bind(6, r.note);
    bindDate(s, 7, r.createdAt);
}

LedgerEntry Table<LedgerEntry>::read(const RowReader &s)
{
    LedgerEntry r;
    r.id = s.uuid(0);
    r.amount = s.real(1);
    r.date = s.date(2);
    r.kindRaw = s.text(3);
    r.category = s.text(4);
    r.note = s.text(5);
    r.createdAt = s.date(6);
    return r;
}

void Table<Budget>::bind(SqliteStatement &s, const Budget &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, r.category);
    s.bind(3, r.limit);
    s.bind(4, r.monthKey);
    bindOptionalDate(s, 5, r.periodStart);
    bindOptionalDate(s, 6, r.periodEnd);
}

Budget Table<Budget>::read(const RowReader &s)
{
    Budget r;
    r.id = s.uuid(0);
    r.category = s.text(1);
    r.limit = s.real(2);
    r.monthKey = s.text(3);
    r.periodStart = s.optionalDate(4);
    r.periodEnd = s.optionalDate(5);
    return r;
}

void Table<SavingsGoal>::bind(SqliteStatement &s, const SavingsGoal &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, r.name);
    s.bind(3, r.targetAmount);
    bindDate(s, 4, r.expectedDate);
    bindDate(s, 5, r.createdAt);
}

SavingsGoal Table<SavingsGoal>::read(const RowReader &s)
{
    SavingsGoal r;
    r.id = s.uuid(0);
    r.name = s.text(1);
    r.targetAmount = s.real(2);
    r.expectedDate = s.date(3);
    r.createdAt = s.date(4);
    return r;
}

void Table<SavingsDeposit>::bind(SqliteStatement &s, const SavingsDeposit &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, uuidText(r.goalID));
    s.bind(3, r.amount);
    bindDate(s, 4, r.date);
    s.bind(5, r.note);
}

SavingsDeposit Table<SavingsDeposit>::read(const RowReader &s)
{
    SavingsDeposit r;
    r.id = s.uuid(0);
    r.goalID = s.uuid(1);
    r.amount = s.real(2);
    r.date = s.date(3);
    r.note = s.text(4);
    return r;
}

void Table<AssetAccount>::bind(SqliteStatement &s, const AssetAccount &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, r.name);
    s.bind(3, r.kind);
    s.bind(4, r.dimension);
    s.bind(5, r.openingBalance);
    bindDate(s, 6, r.createdAt);
}

AssetAccount Table<AssetAccount>::read(const RowReader &s)
{
    AssetAccount r;
    r.id = s.uuid(0);
    r.name = s.text(1);
    r.kind = s.text(2);
    r.dimension = s.text(3);
    r.openingBalance = s.real(4);
    r.createdAt = s.date(5);
    return r;
}

void Table<AssetAdjustment>::bind(SqliteStatement &s, const AssetAdjustment &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, uuidText(r.accountID));
    s.bind(3, r.amount);
    bindDate(s, 4, r.date);
    s.bind(5, r.note);
}

AssetAdjustment Table<AssetAdjustment>::read(const RowReader &s)
{
    AssetAdjustment r;
    r.id = s.uuid(0);
    r.accountID = s.uuid(1);
    r.amount = s.real(2);
    r.date = s.date(3);
    r.note = s.text(4);
    return r;
}

void Table<FixedAsset>::bind(SqliteStatement &s, const FixedAsset &r)
{
    s.bind(1, uuidText(r.id));
    s.bind(2, r.category);
    s.bind(3, r.name);
    s.bind(4, r.currentValue);
    bindDate(s, 5, r.purchaseDate);
    s.bind(6, r.usefulLifeMonths);
    s.bind(7, r.note);
    bindDate(s, 8, r.createdAt);
}

FixedAsset Table<FixedAsset>::read(const RowReader &s)
{
    FixedAsset r;
    r.id = s.uuid(0);
    r.category = s.text(1);
    r.name = s.text(2);
    r.currentValue = s.real(3);
    r.purchaseDate = s.date(4);
    r.usefulLifeMonths = s.integer(5);
    r.note = s.text(6);
    r.createdAt = s.date(7);
    return r;
}

StoredKinds::Array<TableShape> shapes()
{
    StoredKinds::Array<TableShape> all{};
    StoredKinds::forEach([&all]<class R>() { all[StoredKinds::indexOf<R>] = shapeOf<R>(); });
    return all;
}

QByteArray createTableSql(const TableShape &shape)
{
    QByteArrayList columns;
    for (const Column &column : shape.columns) {
        QByteArray definition = quoted(column.name) + ' ' + column.type;
        // Only the optional period dates of a budget may be empty.
        if (!(QByteArray(shape.name) == "Budget" && QByteArray(column.name).startsWith("period")))
            definition += " NOT NULL";
        columns.append(definition);
    }
    return "CREATE TABLE " + quoted(shape.name) + " (" + columns.join(", ") + ");\n" + "CREATE INDEX " +
           quoted((QByteArray(shape.name) + "_id").constData()) + " ON " + quoted(shape.name) +
           " (\"id\");\n";
}

QString versionName(int number)
{
    return u"%1.%2.%3"_s.arg(number / 10000).arg(number / 100 % 100).arg(number % 100);
}

bool canUpgrade(int fromVersion)
{
    int at = fromVersion;
    for (const UpgradeStep &step : steps) {
        if (step.from == at)
            at = step.to;
    }
    return fromVersion < version && at == version;
}

QByteArray createSql(int atVersion)
{
    // The first version's statements. The kinds' tables are written from their column lists,
    // which no step has changed yet; a step that changes one keeps its first columns here.
    QByteArray sql = "CREATE TABLE meta (key TEXT PRIMARY KEY NOT NULL, value TEXT NOT NULL);\n"
                     "INSERT INTO meta (key, value) VALUES ('schemaVersion', '" +
                     versionName(firstVersion).toLatin1() + "');\n";
    for (const TableShape &shape : shapes())
        sql += createTableSql(shape);
    sql += "PRAGMA user_version = " + QByteArray::number(firstVersion) + ";\n";
    for (const UpgradeStep &step : steps) {
        if (step.to > atVersion)
            break;
        sql += step.sql + versionSql(step.to);
    }
    return sql;
}

std::optional<int> fileVersion(SqliteDatabase &db)
{
    const std::optional<QString> number = db.scalar("PRAGMA user_version");
    if (!number)
        return std::nullopt;
    return number->toInt();
}

QString upgrade(SqliteDatabase &db)
{
    if (!db.exec("BEGIN IMMEDIATE"))
        return db.lastError();
    const auto fail = [&](const QString &reason) {
        db.exec("ROLLBACK");
        return reason;
    };
    const std::optional<int> from = fileVersion(db);
    if (!from)
        return fail(db.lastError());
    if (!canUpgrade(*from))
        return fail(u"无法升级结构版本 %1"_s.arg(versionName(*from)));
    int at = *from;
    for (const UpgradeStep &step : steps) {
        if (step.from != at)
            continue;
        if (!db.exec(step.sql + versionSql(step.to)))
            return fail(u"升级到结构版本 %1 失败：%2"_s.arg(versionName(step.to), db.lastError()));
        at = step.to;
    }
    if (const QString problem = layoutProblem(db); !problem.isEmpty())
        return fail(problem);
    if (!db.exec("COMMIT"))
        return fail(db.lastError());
    return {};
}

QByteArray insertSql(const TableShape &shape)
{
    QByteArrayList marks;
    for (size_t i = 0; i < shape.columns.size(); ++i)
        marks.append("?");
    return "INSERT INTO " + quoted(shape.name) + " (" + columnList(shape) + ") VALUES (" + marks.join(", ") +
           ")";
}

QByteArray updateSql(const TableShape &shape)
{
    // Parameter 1 is the id, as in the insert; the other columns follow in order.
    QByteArrayList sets;
    for (size_t i = 1; i < shape.columns.size(); ++i)
        sets.append(quoted(shape.columns[i].name) + " = ?" + QByteArray::number(static_cast<int>(i + 1)));
    return "UPDATE " + quoted(shape.name) + " SET " + sets.join(", ") + " WHERE \"id\" = ?1";
}

QByteArray selectSql(const TableShape &shape)
{
    // The rowid comes last: it orders records with equal sort keys.
    return "SELECT " + columnList(shape) + ", rowid FROM " + quoted(shape.name) + " ORDER BY rowid";
}

std::optional<bool> isBlank(SqliteDatabase &db)
{
    const std::optional<QString> tables = db.scalar("SELECT count(*) FROM sqlite_master");
    if (!tables)
        return std::nullopt;
    const std::optional<QString> fileVersion = db.scalar("PRAGMA user_version");
    if (!fileVersion)
        return std::nullopt;
    return tables->toInt() == 0 && fileVersion->toInt() == 0;
}

bool create(SqliteDatabase &db)
{
    if (db.exec("BEGIN IMMEDIATE;\n" + createSql() + "COMMIT;"))
        return true;
    db.exec("ROLLBACK");
    return false;
}

QString layoutProblem(SqliteDatabase &db, int atVersion)
{
    const std::optional<int> number = fileVersion(db);
    if (!number)
        return db.lastError();
    if (*number > version)
        return newerProblem(*number);
    if (*number != atVersion || !(atVersion == version || canUpgrade(atVersion)))
        return u"文件不是 Pennyloom 的数据文件，或其结构版本（%1）不受支持"_s.arg(*number);
    const std::optional<QString> metaVersion =
        db.scalar("SELECT value FROM meta WHERE key = 'schemaVersion'");
    if (!metaVersion || *metaVersion != versionName(atVersion))
        return u"文件缺少结构版本记录"_s;
    const StoredKinds::Array<TableShape> kinds = shapes();
    std::vector<TableShape> tables(kinds.begin(), kinds.end());
    for (const SideTable &side : sideTables) {
        if (side.since <= atVersion)
            tables.push_back(side.shape);
    }
    for (const TableShape &shape : tables) {
        SqliteStatement info(db, "PRAGMA table_info(" + quoted(shape.name) + ")");
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

QString schemaProblem(SqliteDatabase &db)
{
    const std::optional<int> fileNumber = fileVersion(db);
    if (!fileNumber)
        return db.lastError();
    const int number = *fileNumber;
    if (number > version)
        return newerProblem(number);
    if (number != version && !canUpgrade(number))
        return u"不是 Pennyloom 的数据文件"_s;

    // Compared with a new store made by this program: a trigger would run with every change
    // the program makes, and a column without its NOT NULL or an index of someone else's
    // would hold what the program never writes.
    SqliteDatabase reference;
    if (!reference.open(u":memory:"_s) || !reference.exec(createSql(number)))
        return reference.lastError();
    const std::optional<QMap<QString, SchemaObject>> expected = schemaObjects(reference);
    const std::optional<QMap<QString, SchemaObject>> found = schemaObjects(db);
    if (!expected)
        return reference.lastError();
    if (!found)
        return db.lastError();
    const QString differs = u"与 Pennyloom 的数据结构不符："_s;
    for (auto it = found->cbegin(); it != found->cend(); ++it) {
        if (!expected->contains(it.key()))
            return differs + u"含有程序不会建立的"_s + objectName(it->type, it.key());
    }
    for (auto it = expected->cbegin(); it != expected->cend(); ++it) {
        const auto match = found->constFind(it.key());
        if (match == found->cend())
            return differs + u"缺少"_s + objectName(it->type, it.key());
        if (*match != *it)
            return differs + objectName(it->type, it.key()) + u" 的定义与程序的不同"_s;
    }
    return {};
}

QString recordProblem(SqliteDatabase &db)
{
    static const QByteArray uuid = uuidPattern();
    const std::optional<int> number = fileVersion(db);
    if (!number)
        return db.lastError();
    const StoredKinds::Array<TableShape> kinds = shapes();
    std::vector<TableShape> tables(kinds.begin(), kinds.end());
    for (const SideTable &side : sideTables) {
        if (side.since <= *number)
            tables.push_back(side.shape);
    }
    for (const TableShape &shape : tables) {
        for (const Column &column : shape.columns) {
            if (column.holds == Holds::value)
                continue;
            const QByteArray name = quoted(column.name);
            const QByteArray wrong =
                column.holds == Holds::id
                    ? "typeof(" + name + ") != 'text' OR " + name + " NOT GLOB '" + uuid + "'"
                    : name + " IS NOT NULL AND (typeof(" + name + ") != 'integer' OR " + name +
                          " NOT BETWEEN " + QByteArray::number(EntryRules::earliestDate) + " AND " +
                          QByteArray::number(EntryRules::latestDate) + ")";
            SqliteStatement statement(db, "SELECT substr(quote(" + name + "), 1, 60) FROM " +
                                              quoted(shape.name) + " WHERE " + wrong + " LIMIT 1");
            const int rc = statement.step();
            if (rc == SQLITE_DONE)
                continue;
            if (rc != SQLITE_ROW)
                return db.lastError();
            const QString where =
                u"表 %1 的 %2 列"_s.arg(QString::fromLatin1(shape.name), QString::fromLatin1(column.name));
            // The program finds, changes and removes records by the id text it writes itself;
            // a record under any other spelling could be shown but never changed.
            if (column.holds == Holds::id)
                return u"%1有编号 %2，不是 Pennyloom 写的小写、不带花括号的 UUID"_s.arg(where,
                                                                                        statement.text(0));
            return u"%1有日期 %2，不在公元 1 至 9999 年之间"_s.arg(where, statement.text(0));
        }
    }
    return {};
}

} // namespace StoreSchema
