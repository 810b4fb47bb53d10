// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryFormSheet.h"

#include <QPushButton>

EntryFormSheet::EntryFormSheet(ModelStore &store, const LedgerEntry *entry, const QString &title,
                               SheetSize size, const QString &confirmText, QWidget *parent)
    : Sheet(title, size, Dismiss::cancel, confirmText, parent)
    , m_store(store)
    , m_model(entry ? std::make_unique<EntryFormModel>(*entry) : std::make_unique<EntryFormModel>())
    , m_fields(new EntryFormFields(*m_model, this))
{
    setWindowModality(Qt::WindowModal);
    connect(saveButton(), &QPushButton::clicked, this, &EntryFormSheet::save);
}

void EntryFormSheet::save()
{
    if (m_model->save(m_store))
        accept();
}
