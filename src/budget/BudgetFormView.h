// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Sheet.h"

class BudgetModel;
class DateRangeRow;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

// "新增周期预算": the sheet that sets one category's limit for a period of chosen days. It
// edits the workspace's own model and closes itself once the model closes the form.
class BudgetFormView final : public Sheet {
    Q_OBJECT

public:
    explicit BudgetFormView(BudgetModel &model, QWidget *parent = nullptr);

    QDateEdit *startField() const;
    QDateEdit *endField() const;
    QComboBox *categoryMenu() const { return m_category; }
    QLineEdit *amountField() const { return m_amount; }
    QPushButton *saveButton() const { return confirmButton(); }

private:
    void refresh();

    BudgetModel &m_model;
    DateRangeRow *m_range;
    QComboBox *m_category;
    QLineEdit *m_amount;
};
