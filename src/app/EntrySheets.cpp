// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntrySheets.h"

#include "ContentModel.h"
#include "entry/AddEntryView.h"
#include "entry/EditEntryView.h"
#include "entry/SmartEntryView.h"
#include "recurring/RecurringRuleFormView.h"
#include "ui/Sheets.h"

EntrySheets::EntrySheets(ModelStore &store, ContentModel &model, QWidget *window)
    : QObject(window), m_store(store), m_model(model), m_window(window)
{
    connect(&m_model, &ContentModel::showingAddChanged, this, &EntrySheets::followAdd);
    connect(&m_model, &ContentModel::showingSmartEntryChanged, this, &EntrySheets::followSmartEntry);
    connect(&m_model, &ContentModel::editingEntryChanged, this, &EntrySheets::followEdit);
}

void EntrySheets::followAdd(bool showing)
{
    Sheets::follow(
        m_add, showing, [this] { return new AddEntryView(m_store, m_window); },
        [this] { m_model.setShowingAdd(false); });
}

void EntrySheets::followSmartEntry(bool showing)
{
    Sheets::follow(
        m_smart, showing, [this] { return new SmartEntryView(m_store, m_window); },
        [this] { m_model.setShowingSmartEntry(false); });
}

void EntrySheets::followEdit()
{
    const std::optional<LedgerEntry> &entry = m_model.editingEntry();
    Sheets::follow(
        m_edit, entry.has_value(),
        [this, &entry] {
            auto *edit = new EditEntryView(m_store, *entry, m_window);
            connect(edit, &EditEntryView::makeRecurringRequested, this,
                    [this, edit](const LedgerEntry &repeated) { openRuleForm(edit, repeated); });
            return edit;
        },
        [this] {
            if (m_model.editingEntry())
                m_model.setEditingEntry(std::nullopt);
        });
}

void EntrySheets::openRuleForm(QWidget *over, const LedgerEntry &entry)
{
    if (m_rule && m_rule->isVisible())
        return;
    m_rule = new RecurringRuleFormView(m_store, std::make_unique<RecurringRuleFormModel>(entry), over);
    Sheets::open(m_rule, {});
}
