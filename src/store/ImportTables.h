// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CategoryRule.h"
#include "ImportedId.h"
#include "model/LedgerEntry.h"

#include <QHash>
#include <QSet>

#include <utility>
#include <vector>

class SqliteDatabase;

// The store's tables beside the records: the ids of imported lines, the category rules and the
// remembered CSV column mappings, held in memory as the records are. The writes run inside the
// store's transactions; memory follows only once the store has committed.
class ImportTables {
public:
    using Key = std::pair<QString, QString>; // source, transaction id

    // The key of a line as memory and the file hold it.
    static Key keyOf(const QString &source, const QString &transactionID);
    // What the table keeps as a line's transaction id: the file's id with the kind, the amount
    // in cents and the local wall-clock time, "4200…|支出|2550|2024-03-31T12:05:10", so lines
    // that share an id are told apart.
    static QString lineId(const QString &transactionID, const LedgerEntry &entry);

    // Reads the three tables. A file of a version without them (opened only to read) holds none.
    bool load(SqliteDatabase &db, bool present, QString *error);

    bool isImported(const QString &source, const QString &transactionID) const
    {
        return m_imported.contains(keyOf(source, transactionID));
    }
    // The entry imported from that line, or a null id.
    QUuid entryOf(const QString &source, const QString &transactionID) const
    {
        return m_imported.value(keyOf(source, transactionID));
    }
    const std::vector<CategoryRule> &categoryRules() const { return m_rules; }
    QString mapping(const QString &headerKey) const { return m_mappings.value(headerKey); }

    // Within a transaction: writes the ids of newly imported lines.
    static bool insertIds(SqliteDatabase &db, const std::vector<ImportedId> &ids);
    // Within a transaction: deletes the import id of each entry that has one, adding it to taken.
    static bool deleteIdsOf(SqliteDatabase &db, const std::vector<QUuid> &entries,
                            std::vector<ImportedId> &taken);
    // Whether any of these lines is held again.
    bool holdsAny(const std::vector<ImportedId> &ids) const;
    // After the commit: memory follows the file.
    void remember(const std::vector<ImportedId> &ids);
    void forget(const std::vector<ImportedId> &ids);

    // Each one statement; memory follows only when it was written.
    bool setRule(SqliteDatabase &db, const CategoryRule &rule);
    bool removeRule(SqliteDatabase &db, const QString &counterparty, const QString &kindRaw);
    bool setMapping(SqliteDatabase &db, const QString &headerKey, const QString &mapping);

private:
    QHash<Key, QUuid> m_imported;
    std::vector<CategoryRule> m_rules; // by counterparty, then kind
    QHash<QString, QString> m_mappings;
};
