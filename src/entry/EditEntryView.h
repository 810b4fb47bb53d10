#pragma once

#include "EntryFormFields.h"
#include "EntryFormModel.h"

#include <QDialog>

class ModelStore;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class SheetToolbar;
class SegmentedControl;

// "编辑账单": changes one stored entry in place; id and creation time stay as they were.
class EditEntryView final : public QDialog {
    Q_OBJECT

public:
    EditEntryView(ModelStore &store, const LedgerEntry &entry, QWidget *parent = nullptr);

    EntryFormModel &model() { return m_model; }
    SegmentedControl *kindControl() const { return m_fields->kind(); }
    QLineEdit *amountField() const { return m_fields->amount(); }
    QComboBox *categoryMenu() const { return m_category; }
    QDateEdit *dateField() const { return m_fields->date(); }
    QLineEdit *noteField() const { return m_fields->note(); }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void refresh();
    void save();

    ModelStore &m_store;
    EntryFormModel m_model;
    EntryFormFields *m_fields;
    QComboBox *m_category;
    SheetToolbar *m_toolbar;
    QPushButton *m_cancel;
    QPushButton *m_save;
};
