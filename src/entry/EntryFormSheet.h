// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EntryFormFields.h"
#include "EntryFormModel.h"
#include "ui/Sheet.h"

#include <memory>

class ModelStore;
class QDateEdit;
class QLineEdit;
class QPushButton;
class SegmentedControl;

// What the add and edit forms share: the form's model with its kind, amount, date and note
// controls, and saving through the store, which closes the sheet once it went through.
class EntryFormSheet : public Sheet {
    Q_OBJECT

public:
    EntryFormModel &model() { return *m_model; }
    SegmentedControl *kindControl() const { return m_fields->kind(); }
    QLineEdit *amountField() const { return m_fields->amount(); }
    QDateEdit *dateField() const { return m_fields->date(); }
    QLineEdit *noteField() const { return m_fields->note(); }
    QPushButton *saveButton() const { return confirmButton(); }

protected:
    // A form for a new entry, or for the stored `entry`.
    EntryFormSheet(ModelStore &store, const LedgerEntry *entry, const QString &title, SheetSize size,
                   const QString &confirmText, QWidget *parent);

    EntryFormFields *fields() const { return m_fields; }

private:
    void save();

    ModelStore &m_store;
    std::unique_ptr<EntryFormModel> m_model;
    EntryFormFields *m_fields;
};
