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

UndoHistory::UndoHistory(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&m_store, &ModelStore::recordsRemoved, this, &UndoHistory::record);
    connect(&m_store, &ModelStore::entriesImported, this, &UndoHistory::recordImport);
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
