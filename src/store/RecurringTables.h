// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RecurringRule.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QUuid>

#include <vector>

class SqliteDatabase;
class SqliteStatement;

// The recurring rules and the days each has had its entry written for, held in memory as the
// records are. The writes run inside the store's transactions; memory follows only once the
// store has committed.
class RecurringTables {
public:
    // One occurrence: the rule and its day.
    struct Key {
        QUuid ruleID;
        QDate day;
    };

    // Reads both tables. A file of a version without them (opened only to read) holds none. A
    // rule that does not read as one is refused with the reason.
    bool load(SqliteDatabase &db, bool present, QString *error);

    // In the order they were made.
    const std::vector<RecurringRule> &rules() const { return m_rules; }
    const RecurringRule *find(const QUuid &id) const;
    // Whether the rule's entry for that day was written (and perhaps deleted since).
    bool hasOccurrence(const QUuid &ruleID, QDate day) const
    {
        const auto it = m_days.constFind(ruleID);
        return it != m_days.cend() && it->contains(day.toJulianDay());
    }

    // Each one statement within the store's transaction.
    static bool insertRule(SqliteDatabase &db, const RecurringRule &rule);
    // The number of rows changed, -1 when the write failed.
    static int updateRule(SqliteDatabase &db, const RecurringRule &rule);
    // Deletes the rule's row and gives the rowid it had, 0 when there was none, -1 when the
    // write failed. Its days stay written.
    static qint64 removeRule(SqliteDatabase &db, const QUuid &id);
    // Puts a removed rule back, in the row it held when that row is free, and gives its rowid;
    // -1 when the write failed.
    static qint64 reinsertRule(SqliteDatabase &db, const RecurringRule &rule, qint64 rowid);
    // How many rules come before the row in the file's order; -1 when the read failed.
    static qsizetype placeOf(SqliteDatabase &db, qint64 rowid);

    // After the commit: memory follows the file.
    void rememberRule(RecurringRule rule);
    // A rule put back at its place in the order.
    void rememberRuleAt(qsizetype place, RecurringRule rule);
    void replaceRule(RecurringRule rule);
    void forgetRule(const QUuid &id);
    void remember(const std::vector<Key> &keys);

    // The statement that claims an occurrence's key: it changes one row when the key was new and
    // none when a writer (this store or another process) had claimed it already.
    static QByteArray claimSql();
    static void bindClaim(SqliteStatement &claim, const Key &key, const QUuid &entryID);

private:
    std::vector<RecurringRule> m_rules;
    QHash<QUuid, QSet<qint64>> m_days; // Julian day numbers per rule
};
