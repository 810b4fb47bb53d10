// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentModel.h"

ContentModel::ContentModel(QObject *parent) : QObject(parent) {}

void ContentModel::setSelection(std::optional<Workspace> selection)
{
    if (selection == m_selection)
        return;
    m_selection = selection;
    Q_EMIT selectionChanged();
}

void ContentModel::setShowingAdd(bool showing)
{
    if (showing == m_showingAdd)
        return;
    m_showingAdd = showing;
    Q_EMIT showingAddChanged(showing);
}

void ContentModel::setShowingSmartEntry(bool showing)
{
    if (showing == m_showingSmartEntry)
        return;
    m_showingSmartEntry = showing;
    Q_EMIT showingSmartEntryChanged(showing);
}

void ContentModel::setEditingEntry(const std::optional<LedgerEntry> &entry)
{
    m_editingEntry = entry;
    Q_EMIT editingEntryChanged();
}
