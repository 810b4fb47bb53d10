#include "StoreSchema.h"

#include <QStringList>

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

std::optional<QDateTime> optionalDate(const SqliteStatement &s, int column)
{
    if (s.isNull(column))
        return std::nullopt;
    return dateFrom(s.integer(column));
}

QUuid uuid(const SqliteStatement &s, int column)
{
    return QUuid::fromString(s.text(column));
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

} // namespace

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces);
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

LedgerEntry Table<LedgerEntry>::read(const SqliteStatement &s)
{
    LedgerEntry r;
    r.id = uuid(s, 0);
    r.amount = s.real(1);
    r.date = dateFrom(s.integer(2));
    r.kindRaw = s.text(3);
    r.category = s.text(4);
    r.note = s.text(5);
    r.createdAt = dateFrom(s.integer(6));
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

Budget Table<Budget>::read(const SqliteStatement &s)
{
    Budget r;
    r.id = uuid(s, 0);
    r.category = s.text(1);
    r.limit = s.real(2);
    r.monthKey = s.text(3);
    r.periodStart = optionalDate(s, 4);
    r.periodEnd = optionalDate(s, 5);
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

SavingsGoal Table<SavingsGoal>::read(const SqliteStatement &s)
{
    SavingsGoal r;
    r.id = uuid(s, 0);
    r.name = s.text(1);
    r.targetAmount = s.real(2);
    r.expectedDate = dateFrom(s.integer(3));
    r.createdAt = dateFrom(s.integer(4));
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

SavingsDeposit Table<SavingsDeposit>::read(const SqliteStatement &s)
{
    SavingsDeposit r;
    r.id = uuid(s, 0);
    r.goalID = uuid(s, 1);
    r.amount = s.real(2);
    r.date = dateFrom(s.integer(3));
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

AssetAccount Table<AssetAccount>::read(const SqliteStatement &s)
{
    AssetAccount r;
    r.id = uuid(s, 0);
    r.name = s.text(1);
    r.kind = s.text(2);
    r.dimension = s.text(3);
    r.openingBalance = s.real(4);
    r.createdAt = dateFrom(s.integer(5));
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

AssetAdjustment Table<AssetAdjustment>::read(const SqliteStatement &s)
{
    AssetAdjustment r;
    r.id = uuid(s, 0);
    r.accountID = uuid(s, 1);
    r.amount = s.real(2);
    r.date = dateFrom(s.integer(3));
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

FixedAsset Table<FixedAsset>::read(const SqliteStatement &s)
{
    FixedAsset r;
    r.id = uuid(s, 0);
    r.category = s.text(1);
    r.name = s.text(2);
    r.currentValue = s.real(3);
    r.purchaseDate = dateFrom(s.integer(4));
    r.usefulLifeMonths = s.integer(5);
    r.note = s.text(6);
    r.createdAt = dateFrom(s.integer(7));
    return r;
}

std::array<TableShape, kindCount> shapes()
{
    return {{{Table<LedgerEntry>::name, Table<LedgerEntry>::columns},
             {Table<Budget>::name, Table<Budget>::columns},
             {Table<SavingsGoal>::name, Table<SavingsGoal>::columns},
             {Table<SavingsDeposit>::name, Table<SavingsDeposit>::columns},
             {Table<AssetAccount>::name, Table<AssetAccount>::columns},
             {Table<AssetAdjustment>::name, Table<AssetAdjustment>::columns},
             {Table<FixedAsset>::name, Table<FixedAsset>::columns}}};
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

} // namespace StoreSchema
