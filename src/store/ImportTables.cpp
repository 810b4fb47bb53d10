// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportTables.h"

#include "SqliteDatabase.h"
#include "StoreSchema.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {

ImportTables::Key keyOfId(const ImportedId &id)
{
    return ImportTables::keyOf(id.source, id.transactionID);
}

bool ruleBefore(const CategoryRule &a, const CategoryRule &b)
{
    return std::tie(a.counterparty, a.kindRaw) < std::tie(b.counterparty, b.kindRaw);
}

} // namespace

ImportTables::Key ImportTables::keyOf(const QString &source, const QString &transactionID)
{
    // Memory holds what the file reads back: texts made well formed as bind() writes them.
    return {SqliteStatement::wellFormed(source), SqliteStatement::wellFormed(transactionID)};
}

QString ImportTables::lineId(const QString &transactionID, const LedgerEntry &entry)
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(transactionID, EntryKinds::rawText(entry.kind()))
        .arg(std::llround(entry.amount * 100))
        .arg(entry.date.toLocalTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
}

bool ImportTables::load(SqliteDatabase &db, bool present, QString *error)
{
    m_imported.clear();
    m_rules.clear();
    m_mappings.clear();
    if (!present)
        return true;
    const auto failed = [&] {
        *error = db.lastError();
        return false;
    };
    {
        SqliteStatement ids(db, "SELECT \"source\", \"transactionID\", \"entryID\" FROM \"ImportedEntry\"");
        int rc = SQLITE_OK;
        while ((rc = ids.step()) == SQLITE_ROW)
            m_imported.insert({ids.text(0), ids.text(1)}, QUuid::fromString(ids.text(2)));
        if (rc != SQLITE_DONE)
            return failed();
    }
    {
        SqliteStatement rules(db, "SELECT \"counterparty\", \"kindRaw\", \"category\" FROM \"CategoryRule\"");
        int rc = SQLITE_OK;
        while ((rc = rules.step()) == SQLITE_ROW)
            m_rules.push_back({rules.text(0), rules.text(1), rules.text(2)});
        if (rc != SQLITE_DONE)
            return failed();
        std::sort(m_rules.begin(), m_rules.end(), ruleBefore);
    }
    SqliteStatement mappings(db, "SELECT \"headerKey\", \"mapping\" FROM \"ImportMapping\"");
    int rc = SQLITE_OK;
    while ((rc = mappings.step()) == SQLITE_ROW)
        m_mappings.insert(mappings.text(0), mappings.text(1));
    if (rc != SQLITE_DONE)
        return failed();
    return true;
}

bool ImportTables::insertIds(SqliteDatabase &db, const std::vector<ImportedId> &ids)
{
    if (ids.empty())
        return true;
    SqliteStatement insert(
        db, "INSERT INTO \"ImportedEntry\" (\"entryID\", \"source\", \"transactionID\") VALUES (?1, ?2, ?3)");
    if (!insert.isValid())
        return false;
    for (const ImportedId &id : ids) {
        insert.bind(1, StoreSchema::uuidText(id.entryID));
        insert.bind(2, id.source);
        insert.bind(3, id.transactionID);
        if (!insert.run())
            return false;
    }
    return true;
}

bool ImportTables::deleteIdsOf(SqliteDatabase &db, const std::vector<QUuid> &entries,
                               std::vector<ImportedId> &taken)
{
    if (entries.empty())
        return true;
    SqliteStatement remove(
        db, "DELETE FROM \"ImportedEntry\" WHERE \"entryID\" = ?1 RETURNING \"source\", \"transactionID\"");
    if (!remove.isValid())
        return false;
    for (const QUuid &entry : entries) {
        remove.bind(1, StoreSchema::uuidText(entry));
        int rc = SQLITE_OK;
        while ((rc = remove.step()) == SQLITE_ROW)
            taken.push_back({entry, remove.text(0), remove.text(1)});
        remove.reset();
        if (rc != SQLITE_DONE)
            return false;
    }
    return true;
}

bool ImportTables::holdsAny(const std::vector<ImportedId> &ids) const
{
    return std::any_of(ids.begin(), ids.end(),
                       [&](const ImportedId &id) { return m_imported.contains(keyOfId(id)); });
}

void ImportTables::remember(const std::vector<ImportedId> &ids)
{
    for (const ImportedId &id : ids)
        m_imported.insert(keyOfId(id), id.entryID);
}

void ImportTables::forget(const std::vector<ImportedId> &ids)
{
    for (const ImportedId &id : ids)
        m_imported.remove(keyOfId(id));
}

bool ImportTables::setRule(SqliteDatabase &db, const CategoryRule &rule)
{
    SqliteStatement upsert(db, "INSERT INTO \"CategoryRule\" (\"counterparty\", \"kindRaw\", \"category\") "
                               "VALUES (?1, ?2, ?3) ON CONFLICT (\"counterparty\", \"kindRaw\") "
                               "DO UPDATE SET \"category\" = excluded.\"category\"");
    upsert.bind(1, rule.counterparty);
    upsert.bind(2, rule.kindRaw);
    upsert.bind(3, rule.category);
    if (!upsert.run())
        return false;
    const CategoryRule held{SqliteStatement::wellFormed(rule.counterparty),
                            SqliteStatement::wellFormed(rule.kindRaw),
                            SqliteStatement::wellFormed(rule.category)};
    const auto at = std::lower_bound(m_rules.begin(), m_rules.end(), held, ruleBefore);
    if (at != m_rules.end() && !ruleBefore(held, *at))
        at->category = held.category;
    else
        m_rules.insert(at, held);
    return true;
}

bool ImportTables::removeRule(SqliteDatabase &db, const QString &counterparty, const QString &kindRaw)
{
    SqliteStatement remove(db,
                           "DELETE FROM \"CategoryRule\" WHERE \"counterparty\" = ?1 AND \"kindRaw\" = ?2");
    remove.bind(1, counterparty);
    remove.bind(2, kindRaw);
    if (!remove.run())
        return false;
    const CategoryRule held{
        SqliteStatement::wellFormed(counterparty), SqliteStatement::wellFormed(kindRaw), {}};
    const auto at = std::lower_bound(m_rules.begin(), m_rules.end(), held, ruleBefore);
    if (at != m_rules.end() && !ruleBefore(held, *at))
        m_rules.erase(at);
    return true;
}

bool ImportTables::setMapping(SqliteDatabase &db, const QString &headerKey, const QString &mapping)
{
    SqliteStatement upsert(db,
                           "INSERT INTO \"ImportMapping\" (\"headerKey\", \"mapping\") VALUES (?1, ?2) "
                           "ON CONFLICT (\"headerKey\") DO UPDATE SET \"mapping\" = excluded.\"mapping\"");
    upsert.bind(1, headerKey);
    upsert.bind(2, mapping);
    if (!upsert.run())
        return false;
    m_mappings.insert(SqliteStatement::wellFormed(headerKey), SqliteStatement::wellFormed(mapping));
    return true;
}
