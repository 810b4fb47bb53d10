// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Sheet.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class SavingsGoalDetailModel;

// "存入 <goal>": the amount, day and optional note of one deposit. It edits the detail's
// model, which stores the deposit and closes the form.
class AddSavingsDepositView final : public Sheet {
    Q_OBJECT

public:
    explicit AddSavingsDepositView(SavingsGoalDetailModel &model, QWidget *parent = nullptr);

    QLineEdit *amountField() const { return m_amount; }
    QDateEdit *dateField() const { return m_date; }
    QLineEdit *noteField() const { return m_note; }
    QPushButton *saveButton() const { return confirmButton(); }

private:
    void refresh();

    SavingsGoalDetailModel &m_model;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_note;
};
