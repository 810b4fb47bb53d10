// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class EntryFormModel;
class QDateEdit;
class QLineEdit;
class QWidget;
class SegmentedControl;

// The kind, amount, date and note controls that the add and edit forms share, kept in step
// with the form's model both ways. The forms lay the controls out themselves.
class EntryFormFields final : public QObject {
    Q_OBJECT

public:
    EntryFormFields(EntryFormModel &model, QWidget *parent);

    SegmentedControl *kind() const { return m_kind; }
    QLineEdit *amount() const { return m_amount; }
    QDateEdit *date() const { return m_date; }
    QLineEdit *note() const { return m_note; }

    // Shows the model's values; text a user is typing is left alone when it already matches.
    void refresh();

private:
    EntryFormModel &m_model;
    SegmentedControl *m_kind;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_note;
};
