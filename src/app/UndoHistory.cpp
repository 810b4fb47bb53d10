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

UndoHistory::UndoHistory(ModelStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    connect(&m_store, &ModelStore::recordsRemoved, this, &UndoHistory::record);
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::record(const ModelStore::Removed &removed)
{
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
