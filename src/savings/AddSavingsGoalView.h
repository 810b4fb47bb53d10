// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/Sheet.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class SavingsModel;

// "新增存钱目标": name, target and expected day of a new goal. It edits the workspace's model,
// which stores the goal and closes the form.
class AddSavingsGoalView final : public Sheet {
    Q_OBJECT

public:
    explicit AddSavingsGoalView(SavingsModel &model, QWidget *parent = nullptr);

    QLineEdit *nameField() const { return m_name; }
    QLineEdit *targetField() const { return m_target; }
    QDateEdit *dateField() const { return m_date; }
    QPushButton *saveButton() const { return confirmButton(); }

private:
    void refresh();

    SavingsModel &m_model;
    QLineEdit *m_name;
    QLineEdit *m_target;
    QDateEdit *m_date;
};
