// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Workspace.h"
#include "model/LedgerEntry.h"

#include <QObject>

#include <optional>

// State of the window's root screen: which workspace is selected and which of the entry sheets
// is open. Transient: every start begins with the overview and no sheet.
class ContentModel final : public QObject {
    Q_OBJECT

public:
    explicit ContentModel(QObject *parent = nullptr);

    std::optional<Workspace> selection() const { return m_selection; }
    void setSelection(std::optional<Workspace> selection);
    // The workspace the detail pane shows: the selection, or the overview when it is empty.
    Workspace shownWorkspace() const { return m_selection.value_or(Workspace::overview); }

    bool showingAdd() const { return m_showingAdd; }
    void setShowingAdd(bool showing);
    bool showingSmartEntry() const { return m_showingSmartEntry; }
    void setShowingSmartEntry(bool showing);
    // The stored entry the edit form is open on, if any.
    const std::optional<LedgerEntry> &editingEntry() const { return m_editingEntry; }
    void setEditingEntry(const std::optional<LedgerEntry> &entry);

Q_SIGNALS:
    void selectionChanged();
    void showingAddChanged(bool showing);
    void showingSmartEntryChanged(bool showing);
    void editingEntryChanged();

private:
    std::optional<Workspace> m_selection = Workspace::overview;
    bool m_showingAdd = false;
    bool m_showingSmartEntry = false;
    std::optional<LedgerEntry> m_editingEntry;
};
