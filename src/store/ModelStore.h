// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportTables.h"
#include "LogCheckpoint.h"
#include "OrderedRecords.h"
#include "RecurringTables.h"
#include "StoredKinds.h"

#include <QObject>
#include <QString>
#include <QUuid>

#include <array>
#include <memory>
#include <vector>

class SqliteDatabase;

// The one persistent store of the seven record kinds, on one SQLite file.
//
// Every record is loaded at open and kept in memory per kind, in the order the screens ask
// for (newest first by date or creation time; budgets in store order), and kept in that
// order on every change. Each change is written and committed before memory changes and
// before the kind's change signal fires, so what a screen shows is already on disk.
class ModelStore final : public QObject {
    Q_OBJECT

public:
    ~ModelStore() override;

    // Whether a copy of a store file of an older version is kept in backups/ before the file is
    // upgraded: always, but for a file that is itself a copy being checked.
    enum class Upgrade { keepCopy, withoutCopy };
    // Opens or creates the store file. A file of an older version is upgraded once, in one
    // transaction, after its copy is kept (see Backups::keepBeforeUpgrade). On failure returns
    // nullptr and an error that names the file; the file is then left exactly as it was. A
    // file that holds two records of a kind with one id is refused, as is one written by a
    // newer version of the program.
    static std::unique_ptr<ModelStore> open(const QString &path, QString *error,
                                            Upgrade upgrade = Upgrade::keepCopy);
    // Opens an existing store file only to read its records, with the same checks: nothing is
    // created, written or narrowed, so a store the user may read but not write opens too. Every
    // change on it fails. A file of an older version is read as it is, not upgraded: its
    // records are the same, and it holds no import ids, category rules or mappings yet.
    static std::unique_ptr<ModelStore> openReadOnly(const QString &path, QString *error);
    // $PENNYLOOM_DATA_DIR/pennyloom.sqlite, else the user's data folder for the program.
    static QString defaultPath();

    QString path() const { return m_path; }

    // A consistent copy of the store into a new file; see SqliteDatabase::copyTo.
    QString copyTo(const QString &target) const;

    // All records of a kind, in the store's order for that kind. The reference stays valid
    // for the life of the store; its content changes with every change of that kind.
    template <class R> const OrderedRecords<R> &all() const { return std::get<OrderedRecords<R>>(m_records); }
    const OrderedRecords<LedgerEntry> &entries() const { return all<LedgerEntry>(); }
    const OrderedRecords<Budget> &budgets() const { return all<Budget>(); }
    const OrderedRecords<SavingsGoal> &savingsGoals() const { return all<SavingsGoal>(); }
    const OrderedRecords<SavingsDeposit> &savingsDeposits() const { return all<SavingsDeposit>(); }
    const OrderedRecords<AssetAccount> &assetAccounts() const { return all<AssetAccount>(); }
    const OrderedRecords<AssetAdjustment> &assetAdjustments() const { return all<AssetAdjustment>(); }
    const OrderedRecords<FixedAsset> &fixedAssets() const { return all<FixedAsset>(); }

    // The held record with that id, or nullptr.
    template <class R> const R *find(const QUuid &id) const;

    // What the changes of a kind since its change count was `since` left alone: the first
    // `front` records and the last `back` records of its order are the very records held then,
    // at the same distance from their end. Screens that keep a table per record bring it in
    // step without comparing every record. Both 0 when it was too many changes ago to say.
    using Unchanged = ChangeLog::Unchanged;
    template <class R> quint64 changeCount() const { return all<R>().changeCount(); }
    template <class R> Unchanged unchangedSince(quint64 since) const
    {
        return all<R>().unchangedSince(since);
    }

    // Each is one transaction. False (and nothing changed, in memory or on disk) when the
    // write failed, for insert when a record already has that id, or for update and remove
    // when no record has that id. A write that would change other rows than the expected one
    // is rolled back and reported.
    template <class R> bool insert(const R &record);
    // Replaces the held record with the same id by this one.
    template <class R> bool update(const R &record);
    template <class R> bool remove(const QUuid &id);
    // Several entries, each replacing the held entry with its id, in one transaction: all or
    // none. False, with nothing changed, when an id is not held, is given twice, or the write
    // failed. entriesChanged fires once, then entriesUpdated.
    bool updateEntries(const std::vector<LedgerEntry> &entries);

    // Several records, of one or more kinds, removed in one transaction: all or none.
    class Removal {
    public:
        template <class R> Removal &add(const QUuid &id);
        // A recurring rule; the days it has written stay written.
        Removal &addRecurringRule(const QUuid &id);
        bool isEmpty() const;

    private:
        friend class ModelStore;
        StoredKinds::Array<std::vector<QUuid>> m_ids;
        std::vector<QUuid> m_ruleIDs;
    };
    bool remove(const Removal &removal);

    // The records one removal took away, whole, with the place each held in its kind's order,
    // so that they can be put back exactly as they were.
    class Removed {
    public:
        template <class R> const std::vector<R> &records() const
        {
            return std::get<std::vector<R>>(m_records);
        }
        int count() const;
        bool isEmpty() const { return count() == 0; }
        // The same records again, as a removal.
        Removal removal() const;

        // Where the removed entries that were imported came from.
        const std::vector<ImportedId> &importIds() const { return m_importIds; }
        const std::vector<RecurringRule> &recurringRules() const { return m_rules; }

    private:
        friend class ModelStore;
        template <class R> using Records = std::vector<R>;
        StoredKinds::Tuple<Records> m_records;
        StoredKinds::Array<std::vector<qint64>> m_sequences;
        std::vector<ImportedId> m_importIds;
        std::vector<RecurringRule> m_rules;
        std::vector<qint64> m_ruleRowids;
    };
    // Puts removed records back with their ids, and the import ids of removed entries, in one
    // transaction. False, with nothing changed, when any of them is held again (a record, or
    // the imported line of an entry, imported anew since) or the write failed.
    bool restore(const Removed &removed);

    // One line of an imported file as an entry, and where it came from: the source ("wechat",
    // "alipay", "csv" …) and the line's transaction id, empty when the file gives none.
    struct ImportRow {
        LedgerEntry entry;
        QString source;
        QString transactionID;
    };
    struct ImportResult {
        // The ids of the entries written, in the order of the rows.
        std::vector<QUuid> inserted;
        // Rows left out because their line was imported before, or earlier in the same rows.
        int alreadyImported = 0;
    };
    // Writes the entries of the rows, with the import ids of those that have one, in one
    // transaction; a row the store imported before (isImported), or that an earlier row of the
    // same call repeats in source, id, kind, amount and time, is left out. Memory follows,
    // entriesChanged fires once and then entriesImported.
    // Nothing, with nothing changed, when the write failed or an entry's id is held already.
    // The imported entries go again, with their import ids, by remove() of their ids.
    std::optional<ImportResult> importEntries(const std::vector<ImportRow> &rows);
    // Whether that line of that source was imported (and its entry not deleted since).
    bool isImported(const QString &source, const QString &transactionID) const
    {
        return m_imports.isImported(source, transactionID);
    }
    // Whether a line with the row's source, transaction id, kind, amount and time was imported:
    // files may give several lines one id (a refund its purchase's), and those are each their
    // own line. A line imported before the kind, amount and time were kept with its id counts
    // when its entry still has them.
    bool isImported(const ImportRow &row) const;

    // The user's category rules, by counterparty and then kind.
    const std::vector<CategoryRule> &categoryRules() const { return m_imports.categoryRules(); }
    // Adds the rule, or replaces the category of the rule with its counterparty and kind.
    bool setCategoryRule(const CategoryRule &rule);
    // True also when there was no such rule.
    bool removeCategoryRule(const QString &counterparty, const QString &kindRaw);
    // The column mapping remembered for a CSV header, as the reader wrote it; empty when none.
    QString importMapping(const QString &headerKey) const { return m_imports.mapping(headerKey); }
    bool setImportMapping(const QString &headerKey, const QString &mapping);

    // The recurring rules, in the order they were made.
    const std::vector<RecurringRule> &recurringRules() const { return m_recurring.rules(); }
    // Each one transaction. False, with nothing changed, when the rule has a problem (see
    // RecurringRule::problem), for insert when a rule has its id, for update and remove when
    // none has, or when the write failed. Removing a rule keeps the entries it wrote and the
    // days it wrote them for; it is a removal like any other (recordsRemoved, restore).
    bool insertRecurringRule(const RecurringRule &rule);
    bool updateRecurringRule(const RecurringRule &rule);
    bool removeRecurringRule(const QUuid &id);
    // Whether the rule's entry for that day was written, even if the entry was deleted since.
    bool hasOccurrence(const QUuid &ruleID, QDate day) const
    {
        return m_recurring.hasOccurrence(ruleID, day);
    }

    // Writes, as ordinary entries, every occurrence of every rule that is due by `now` (its day
    // at the rule's time is not later) and that was never written, in one transaction. Each
    // occurrence is written once: its key (rule, day) is claimed in the file first, and an
    // occurrence whose key another process claimed already is left to that writer. A deleted
    // entry keeps its key and is not written again; a clock set back writes nothing new.
    // Memory follows, entriesChanged fires once and then occurrencesWritten. The ids of the
    // entries written, in order of rule and day; nothing, with nothing changed, on failure.
    std::optional<std::vector<QUuid>> writeDueOccurrences(const QDateTime &now);

Q_SIGNALS:
    void entriesChanged();
    void budgetsChanged();
    void savingsGoalsChanged();
    void savingsDepositsChanged();
    void assetAccountsChanged();
    void assetAdjustmentsChanged();
    void fixedAssetsChanged();
    // A change could not be written; the message names the store's error.
    void writeFailed(const QString &message);
    // After a removal that took records away (and after its change signals): what it took.
    void recordsRemoved(const ModelStore::Removed &removed);
    // After an import wrote entries (and after entriesChanged): their ids.
    void entriesImported(const std::vector<QUuid> &ids);
    // After updateEntries (and after entriesChanged): the entries as they were and as they are
    // now, in the same order.
    void entriesUpdated(const std::vector<LedgerEntry> &before, const std::vector<LedgerEntry> &after);
    void categoryRulesChanged();
    void recurringRulesChanged();
    // After due occurrences were written (and after entriesChanged): the new entries' ids.
    void occurrencesWritten(const std::vector<QUuid> &ids);

private:
    // The signal that announces a change of each kind, in StoredKinds' order.
    static constexpr std::array changeSignals{
        &ModelStore::entriesChanged,       &ModelStore::budgetsChanged,
        &ModelStore::savingsGoalsChanged,  &ModelStore::savingsDepositsChanged,
        &ModelStore::assetAccountsChanged, &ModelStore::assetAdjustmentsChanged,
        &ModelStore::fixedAssetsChanged};

    // A record held in memory and the file's rowid for it, which orders records with equal keys.
    struct Taken {
        size_t index;
        qint64 rowid;
    };

    explicit ModelStore(QString path, std::unique_ptr<SqliteDatabase> db);
    // The store on an opened file once it is known to fit the schema, with its records loaded;
    // or nullptr and the reason. An empty file (fresh) has nothing to load.
    // olderVersion is the file's version when it is one to be upgraded, else 0.
    static std::unique_ptr<ModelStore> checked(const QString &path, std::unique_ptr<SqliteDatabase> db,
                                               bool *fresh, int *olderVersion, QString *reason);
    bool load(QString *error);
    template <class R> bool loadKind(QString *error);
    template <class R> OrderedRecords<R> &ordered();
    // Where the record with that id is held, or -1. The file's index on ids gives its key, and
    // the key its place, so this costs no scan of the records.
    template <class R> qsizetype indexOf(const QUuid &id) const;
    template <class R> std::optional<qint64> stored(const char *column, const QUuid &id) const;
    // The file's rowid of a held record, which orders records with equal keys.
    template <class R> auto rowidOf() const;
    template <class R> void place(R record, qint64 rowid);
    template <class R> void emitChanged();
    // Runs work(reason) in one transaction, committed only when work returns true; otherwise
    // rolled back and reported with the reason work gave, or the store's error.
    template <class F> bool transaction(F &&work);
    // The same for a write of many rows: the page cache grows for it, and the pages its commit
    // leaves in the write-ahead log are copied into the file in the background.
    template <class F> bool largeTransaction(F &&work);
    // Binds the record into one insert or update and runs it.
    template <class R> bool write(const QByteArray &sql, const R &record);
    template <class R>
    bool deleteRows(const std::vector<QUuid> &ids, QString &reason, std::vector<Taken> &taken);
    template <class R> void forget(const std::vector<Taken> &taken);
    void reportFailure(const QString &reason = {});
    template <class R> void keep(Removed &removed, const std::vector<Taken> &taken) const;
    template <class R> bool holdsAny(const Removed &removed) const;
    template <class R> bool reinsertRows(const Removed &removed, std::vector<qint64> &sequences);
    // Instantiates the member templates above for every kind.
    template <class... R> static auto memberTemplates(KindList<R...>);

    QString m_path;
    std::unique_ptr<SqliteDatabase> m_db;
    StoredKinds::Tuple<OrderedRecords> m_records;
    ImportTables m_imports;
    RecurringTables m_recurring;
    // After m_db, so that it has ended before the store's connection closes.
    LogCheckpoint m_checkpoint;
};
