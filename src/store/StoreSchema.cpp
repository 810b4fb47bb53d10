#include "StoreSchema.h"

#include <QStringList>

#include <algorithm>

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
