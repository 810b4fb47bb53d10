#pragma once

#include <QDialog>

class QDateEdit;
class QLineEdit;
class QPushButton;
class SavingsGoalDetailModel;
class SheetToolbar;

// "存入 <goal>": the amount, day and optional note of one deposit. It edits the detail's
// model, which stores the deposit and closes the form.
class AddSavingsDepositView final : public QDialog {
    Q_OBJECT

public:
    explicit AddSavingsDepositView(SavingsGoalDetailModel &model, QWidget *parent = nullptr);

    QLineEdit *amountField() const { return m_amount; }
    QDateEdit *dateField() const { return m_date; }
    QLineEdit *noteField() const { return m_note; }
    QPushButton *saveButton() const;
    QPushButton *cancelButton() const;

private:
    void refresh();

    SavingsGoalDetailModel &m_model;
    SheetToolbar *m_toolbar;
    QLineEdit *m_amount;
    QDateEdit *m_date;
    QLineEdit *m_note;
};
