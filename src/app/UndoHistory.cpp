// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoHistory.h"

#include <QUndoCommand>

using namespace Qt::StringLiterals;

class RemovalStep final : public QUndoCommand {
public:
    RemovalStep(UndoHistory &history, ModelStore::Removed removed)
        : m_removed(std::move(removed)), m_history(history)
    {
        setText(u"删除 %1 条记录"_s.arg(m_removed.count()));
    }

    void undo() override { m_history.undoStep(*this); }
    void redo() override
    {
        // Pushed after the records are gone: the first redo has nothing left to do.
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        m_history.redoStep(*this);
    }

    ModelStore::Removed m_removed;

private:
    UndoHistory &m_history;
    bool m_pushed = true;
};

// One import, or one catch-up of recurring entries. It starts as the ids of the entries it
// wrote; once undone, it holds them whole, with their import ids, so that a redo puts back
// exactly those.
class ImportStep final : public QUndoCommand {
public:
    ImportStep(UndoHistory &history, std::vector<QUuid> ids, bool catchUp)
        : m_ids(std::move(ids)), m_catchUp(catchUp), m_history(history)
    {
        setText((catchUp ? u"补记 %1 笔周期账单"_s : u"导入 %1 条记录"_s).arg(m_ids.size()));
    }

    void undo() override { m_history.undoImport(*this); }
    void redo() override
    {
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        m_history.redoImport(*this);
    }

    std::vector<QUuid> m_ids;
    const bool m_catchUp;
    ModelStore::Removed m_removed;

private:
    UndoHistory &m_history;
    bool m_pushed = true;
};

// Several entries changed at once: both sides, so that undo and redo each write one of them
// in one transaction.
class ChangeStep final : public QUndoCommand {
public:
    ChangeStep(UndoHistory &history, std::vector<LedgerEntry> before, std::vector<LedgerEntry> after)
        : m_before(std::move(before)), m_after(std::move(after)), m_history(history)
    {
        setText(u"修改 %1 条记录"_s.arg(m_after.size()));
    }

    void undo() override
    {
        if (m_history.replay(*this, true))
            Q_EMIT m_history.changeUndone(int(m_before.size()));
    }
    void redo() override
    {
        if (m_pushed) {
            m_pushed = false;
            return;
        }
        if (m_history.replay(*this, false))
            Q_EMIT m_history.changed(int(m_after.size()));
    }

    std::vector<LedgerEntry> m_before;
    std::vector<LedgerEntry> m_after;

private:
    UndoHistory &m_history;
    bool m_pushed = true;
};

UndoHistory::UndoHistory(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&m_store, &ModelStore::recordsRemoved, this, &UndoHistory::record);
    connect(&m_store, &ModelStore::entriesImported, this, &UndoHistory::recordImport);
    connect(&m_store, &ModelStore::entriesUpdated, this, &UndoHistory::recordChange);
}

void UndoHistory::recordChange(const std::vector<LedgerEntry> &before, const std::vector<LedgerEntry> &after)
{
    if (m_replayingChange || after.empty())
        return;
    m_stack.push(new ChangeStep(*this, before, after));
    Q_EMIT changed(int(after.size()));
}

bool UndoHistory::replay(ChangeStep &step, bool undoing)
{
    m_replayingChange = true;
    const bool written = m_store.updateEntries(undoing ? step.m_before : step.m_after);
    m_replayingChange = false;
    if (written)
        return true;
    // An entry deleted since cannot take its old category back; nothing was written.
    step.setObsolete(true);
    Q_EMIT failed();
    return false;
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::record(const ModelStore::Removed &removed)
{
    if (m_undoingImport) {
        m_undoneImport = removed;
        return;
    }
    if (m_replaying) {
        // A record changed after the undo is deleted again as it is now.
        m_replaying->m_removed = removed;
        m_replayed = true;
        return;
    }
    m_stack.push(new RemovalStep(*this, removed));
    Q_EMIT deleted(removed.count());
}

void UndoHistory::undoStep(RemovalStep &step)
{
    if (m_store.restore(step.m_removed)) {
        Q_EMIT restored(step.m_removed.count());
        return;
    }
    step.setObsolete(true);
    Q_EMIT failed();
}

void UndoHistory::redoStep(RemovalStep &step)
{
    m_replaying = &step;
    m_replayed = false;
    const bool removed = m_store.remove(step.m_removed.removal());
    m_replaying = nullptr;
    if (removed && m_replayed) {
        Q_EMIT deleted(step.m_removed.count());
        return;
    }
    step.setObsolete(true);
    Q_EMIT failed();
}

void UndoHistory::recordImport(const std::vector<QUuid> &ids)
{
    if (ids.empty())
        return;
    const int count = int(ids.size());
    m_stack.push(new ImportStep(*this, ids, false));
    Q_EMIT imported(count);
}

void UndoHistory::recordCatchUp(const std::vector<QUuid> &ids)
{
    if (ids.empty())
        return;
    m_stack.push(new ImportStep(*this, ids, true));
    Q_EMIT caughtUp(int(ids.size()));
}

void UndoHistory::undoImport(ImportStep &step)
{
    ModelStore::Removal removal;
    for (const QUuid &id : step.m_ids)
        removal.add<LedgerEntry>(id);
    m_undoingImport = true;
    m_undoneImport.reset();
    const bool removed = m_store.remove(removal);
    m_undoingImport = false;
    if (removed) {
        // Entries already deleted by a step undone out of turn are not there to take away.
        step.m_removed = m_undoneImport.value_or(ModelStore::Removed());
        m_undoneImport.reset();
        if (step.m_catchUp)
            Q_EMIT catchUpUndone(step.m_removed.count());
        else
            Q_EMIT importUndone(step.m_removed.count());
        return;
    }
    step.setObsolete(true);
    Q_EMIT failed();
}

void UndoHistory::redoImport(ImportStep &step)
{
    if (m_store.restore(step.m_removed)) {
        if (step.m_catchUp)
            Q_EMIT caughtUp(step.m_removed.count());
        else
            Q_EMIT imported(step.m_removed.count());
        return;
    }
    step.setObsolete(true);
    Q_EMIT failed();
}
