// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/ModelStore.h"

#include <QObject>
#include <QUndoStack>

#include <optional>

class ChangeStep;
class ImportStep;
class RemovalStep;

// Every deletion of this run, whichever screen made it (a recurring rule too), as one undo step
// holding the removed records whole; every import as one step too, whose undo removes exactly
// the entries it wrote, and so is a large recurring catch-up or the back entries a saved rule
// wrote, and a change of many entries at once (a category set on the rows chosen in 账单), which
// its undo puts back as they were. Undoing a catch-up keeps the days it wrote as written, so the
// next catch-up does not bring the entries back.
// Kept in memory only: after a restart there is nothing to undo.
class UndoHistory final : public QObject {
    Q_OBJECT

public:
    explicit UndoHistory(ModelStore &store, QObject *parent = nullptr);
    ~UndoHistory() override;

    QUndoStack &stack() { return m_stack; }
    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    // The most recent deletion put back, or the last one undone deleted again.
    void undo() { m_stack.undo(); }
    void redo() { m_stack.redo(); }
    // The recurring entries written at once, as a step like an import's.
    void recordCatchUp(const std::vector<QUuid> &ids);

Q_SIGNALS:
    // Records were deleted, by a screen or by a redo: how many.
    void deleted(int count);
    // An undo put records back: how many.
    void restored(int count);
    // Entries were imported, or an undone import was done again: how many.
    void imported(int count);
    // An undo took an import's entries away again: how many.
    void importUndone(int count);
    // Recurring entries were caught up, or an undone catch-up was done again: how many.
    void caughtUp(int count);
    // An undo took a catch-up's entries away again: how many.
    void catchUpUndone(int count);
    // Several entries were changed at once, or an undone change was made again: how many.
    void changed(int count);
    // An undo put the changed entries back as they were: how many.
    void changeUndone(int count);
    // An undo or a redo could not be carried out (the records were back already, or the
    // file could not be written); nothing changed and the step is dropped.
    void failed();

private:
    friend class ChangeStep;
    friend class ImportStep;
    friend class RemovalStep;
    void record(const ModelStore::Removed &removed);
    void recordImport(const std::vector<QUuid> &ids);
    void undoStep(RemovalStep &step);
    void redoStep(RemovalStep &step);
    void undoImport(ImportStep &step);
    void redoImport(ImportStep &step);
    void recordChange(const std::vector<LedgerEntry> &before, const std::vector<LedgerEntry> &after);
    // Writes one side of a change step; false when the entries are no longer all there.
    bool replay(ChangeStep &step, bool undoing);

    ModelStore &m_store;
    QUndoStack m_stack;
    // The step a redo is deleting again; its removal refreshes the step instead of adding one.
    RemovalStep *m_replaying = nullptr;
    bool m_replayed = false;
    // What undoing an import took away, kept by that step instead of becoming a step of its own.
    std::optional<ModelStore::Removed> m_undoneImport;
    bool m_undoingImport = false;
    // While a change step writes its entries back, the store's report of it is no new step.
    bool m_replayingChange = false;
};
