#pragma once

#include "EntryFormFields.h"
#include "EntryFormModel.h"

#include <QDialog>

class CategoryPicker;
class ModelStore;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class SegmentedControl;

// "记一笔": the sheet that records a new expense or income with the category grid.
class AddEntryView final : public QDialog {
    Q_OBJECT

public:
    explicit AddEntryView(ModelStore &store, QWidget *parent = nullptr);

    EntryFormModel &model() { return m_model; }
    SegmentedControl *kindControl() const { return m_fields->kind(); }
    QLineEdit *amountField() const { return m_fields->amount(); }
    QDateEdit *dateField() const { return m_fields->date(); }
    QLineEdit *noteField() const { return m_fields->note(); }
    CategoryPicker *picker() const { return m_picker; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void refresh();
    void save();

    ModelStore &m_store;
    EntryFormModel m_model;
    EntryFormFields *m_fields;
    QLabel *m_chosenIcon;
    QLabel *m_chosenText;
    CategoryPicker *m_picker;
    QPushButton *m_cancel;
    QPushButton *m_save;
};
