// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecurringTables.h"

#include "SqliteDatabase.h"
#include "StoreSchema.h"

#include <sqlite3.h>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

const char *const ruleColumns =
    "\"id\", \"amount\", \"kindRaw\", \"category\", \"note\", \"timeOfDay\", \"repeat\", "
    "\"interval\", \"weekday\", \"month\", \"monthDay\", \"firstDay\", \"lastDay\", "
    "\"count\", \"createdAt\"";

QString dayText(QDate day)
{
    return day.toString(Qt::ISODate);
}

// Binds the rule's columns as parameters 1 to 15, in the table's order.
void bindRule(SqliteStatement &s, const RecurringRule &rule)
{
    s.bind(1, StoreSchema::uuidText(rule.id));
    s.bind(2, rule.amount);
    s.bind(3, rule.kindRaw);
    s.bind(4, rule.category);
    s.bind(5, rule.note);
    s.bind(6, rule.timeOfDay.toString(u"HH:mm:ss.zzz"_s));
    s.bind(7, RecurringRule::repeatRaw(rule.repeat));
    s.bind(8, qint64(rule.interval));
    s.bind(9, qint64(rule.weekday));
    s.bind(10, qint64(rule.month));
    s.bind(11, qint64(rule.monthDay));
    s.bind(12, dayText(rule.firstDay));
    if (rule.lastDay)
        s.bind(13, dayText(*rule.lastDay));
    else
        s.bindNull(13);
    if (rule.count)
        s.bind(14, qint64(*rule.count));
    else
        s.bindNull(14);
    s.bind(15, static_cast<qint64>(rule.createdAt.toMSecsSinceEpoch()));
}

// What reading the rule back gives: texts well formed, the creation time in UTC.
RecurringRule normalised(RecurringRule rule)
{
    rule.kindRaw = SqliteStatement::wellFormed(rule.kindRaw);
    rule.category = SqliteStatement::wellFormed(rule.category);
    rule.note = SqliteStatement::wellFormed(rule.note);
    rule.createdAt = rule.createdAt.toUTC();
    return rule;
}

std::optional<RecurringRule> readRule(const SqliteStatement &s)
{
    RecurringRule rule;
    rule.id = StoreSchema::uuidFrom(s.utf8(0));
    rule.amount = s.real(1);
    rule.kindRaw = s.text(2);
    rule.category = s.text(3);
    rule.note = s.text(4);
    rule.timeOfDay = QTime::fromString(s.text(5), Qt::ISODateWithMs);
    const std::optional<RecurringRule::Repeat> repeat = RecurringRule::repeatFrom(s.text(6));
    rule.interval = static_cast<int>(s.integer(7));
    rule.weekday = static_cast<int>(s.integer(8));
    rule.month = static_cast<int>(s.integer(9));
    rule.monthDay = static_cast<int>(s.integer(10));
    rule.firstDay = QDate::fromString(s.text(11), Qt::ISODate);
    if (!s.isNull(12))
        rule.lastDay = QDate::fromString(s.text(12), Qt::ISODate);
    if (!s.isNull(13))
        rule.count = static_cast<int>(std::clamp<qint64>(s.integer(13), 0, std::numeric_limits<int>::max()));
    rule.createdAt = StoreSchema::dateFrom(s.integer(14));
    if (!repeat)
        return std::nullopt;
    rule.repeat = *repeat;
    return rule;
}

} // namespace

bool RecurringTables::load(SqliteDatabase &db, bool present, QString *error)
{
    m_rules.clear();
    m_days.clear();
    if (!present)
        return true;
    {
        SqliteStatement rules(db,
                              "SELECT " + QByteArray(ruleColumns) + " FROM \"RecurringRule\" ORDER BY rowid");
        int rc = SQLITE_OK;
        while ((rc = rules.step()) == SQLITE_ROW) {
            // A rule the program cannot follow would write entries no form accepts, or none.
            const std::optional<RecurringRule> rule = readRule(rules);
            const std::optional<QString> problem = rule ? rule->problem() : u"重复方式无法读取"_s;
            if (problem) {
                *error = u"表 RecurringRule 中的规则 %1 无法使用：%2"_s.arg(rules.text(0), *problem);
                return false;
            }
            m_rules.push_back(*rule);
        }
        if (rc != SQLITE_DONE) {
            *error = db.lastError();
            return false;
        }
    }
    SqliteStatement days(db, "SELECT \"ruleID\", \"day\" FROM \"RecurringOccurrence\"");
    int rc = SQLITE_OK;
    while ((rc = days.step()) == SQLITE_ROW) {
        const QDate day = QDate::fromString(days.text(1), Qt::ISODate);
        if (!day.isValid()) {
            *error = u"表 RecurringOccurrence 中有无法读取的日期 %1"_s.arg(days.text(1));
            return false;
        }
        m_days[StoreSchema::uuidFrom(days.utf8(0))].insert(day.toJulianDay());
    }
    if (rc != SQLITE_DONE) {
        *error = db.lastError();
        return false;
    }
    return true;
}

const RecurringRule *RecurringTables::find(const QUuid &id) const
{
    const auto it =
        std::find_if(m_rules.begin(), m_rules.end(), [&](const RecurringRule &r) { return r.id == id; });
    return it == m_rules.end() ? nullptr : &*it;
}

bool RecurringTables::insertRule(SqliteDatabase &db, const RecurringRule &rule)
{
    SqliteStatement insert(db,
                           "INSERT INTO \"RecurringRule\" (" + QByteArray(ruleColumns) +
                               ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)");
    if (!insert.isValid())
        return false;
    bindRule(insert, rule);
    return insert.run();
}

int RecurringTables::updateRule(SqliteDatabase &db, const RecurringRule &rule)
{
    SqliteStatement update(
        db, "UPDATE \"RecurringRule\" SET \"amount\" = ?2, \"kindRaw\" = ?3, \"category\" = ?4, "
            "\"note\" = ?5, \"timeOfDay\" = ?6, \"repeat\" = ?7, \"interval\" = ?8, "
            "\"weekday\" = ?9, \"month\" = ?10, \"monthDay\" = ?11, \"firstDay\" = ?12, "
            "\"lastDay\" = ?13, \"count\" = ?14, \"createdAt\" = ?15 WHERE \"id\" = ?1");
    if (!update.isValid())
        return -1;
    bindRule(update, rule);
    return update.run() ? db.changes() : -1;
}

qint64 RecurringTables::removeRule(SqliteDatabase &db, const QUuid &id)
{
    // Its occurrence keys stay: the entries written for it stay in the books, and a rule put
    // back with its id must not write them a second time.
    SqliteStatement remove(db, "DELETE FROM \"RecurringRule\" WHERE \"id\" = ?1 RETURNING rowid");
    if (!remove.isValid())
        return -1;
    remove.bind(1, StoreSchema::uuidText(id));
    qint64 rowid = 0;
    int rc = SQLITE_OK;
    while ((rc = remove.step()) == SQLITE_ROW)
        rowid = remove.integer(0);
    return rc == SQLITE_DONE ? rowid : -1;
}

qint64 RecurringTables::reinsertRule(SqliteDatabase &db, const RecurringRule &rule, qint64 rowid)
{
    // A row taken since by a newer rule leaves the choice to SQLite, after every rule there is.
    SqliteStatement occupied(db, "SELECT count(*) FROM \"RecurringRule\" WHERE rowid = ?1");
    if (!occupied.isValid())
        return -1;
    occupied.bind(1, rowid);
    if (occupied.step() != SQLITE_ROW)
        return -1;
    const bool taken = occupied.integer(0) != 0;
    SqliteStatement insert(db, "INSERT INTO \"RecurringRule\" (" + QByteArray(ruleColumns) +
                                   ", rowid) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
                                   "?14, ?15, ?16)");
    if (!insert.isValid())
        return -1;
    bindRule(insert, rule);
    if (taken)
        insert.bindNull(16);
    else
        insert.bind(16, rowid);
    if (!insert.run() || db.changes() != 1)
        return -1;
    return sqlite3_last_insert_rowid(db.handle());
}

qsizetype RecurringTables::placeOf(SqliteDatabase &db, qint64 rowid)
{
    SqliteStatement before(db, "SELECT count(*) FROM \"RecurringRule\" WHERE rowid < ?1");
    if (!before.isValid())
        return -1;
    before.bind(1, rowid);
    return before.step() == SQLITE_ROW ? qsizetype(before.integer(0)) : -1;
}

void RecurringTables::rememberRule(RecurringRule rule)
{
    m_rules.push_back(normalised(std::move(rule)));
}

void RecurringTables::rememberRuleAt(qsizetype place, RecurringRule rule)
{
    m_rules.insert(m_rules.begin() + std::clamp<qsizetype>(place, 0, qsizetype(m_rules.size())),
                   normalised(std::move(rule)));
}

void RecurringTables::replaceRule(RecurringRule rule)
{
    for (RecurringRule &held : m_rules) {
        if (held.id == rule.id)
            held = normalised(std::move(rule));
    }
}

void RecurringTables::forgetRule(const QUuid &id)
{
    std::erase_if(m_rules, [&](const RecurringRule &r) { return r.id == id; });
}

void RecurringTables::remember(const std::vector<Key> &keys)
{
    for (const Key &key : keys)
        m_days[key.ruleID].insert(key.day.toJulianDay());
}

QByteArray RecurringTables::claimSql()
{
    return "INSERT INTO \"RecurringOccurrence\" (\"ruleID\", \"day\", \"entryID\") VALUES (?1, ?2, ?3) "
           "ON CONFLICT (\"ruleID\", \"day\") DO NOTHING";
}

void RecurringTables::bindClaim(SqliteStatement &claim, const Key &key, const QUuid &entryID)
{
    claim.bind(1, StoreSchema::uuidText(key.ruleID));
    claim.bind(2, dayText(key.day));
    claim.bind(3, StoreSchema::uuidText(entryID));
}
