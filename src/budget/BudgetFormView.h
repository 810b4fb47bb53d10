#pragma once

#include <QDialog>

class BudgetModel;
class DateRangeRow;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class SheetToolbar;

// "新增周期预算": the sheet that sets one category's limit for a period of chosen days. It
// edits the workspace's own model and closes itself once the model closes the form.
class BudgetFormView final : public QDialog {
    Q_OBJECT

public:
    explicit BudgetFormView(BudgetModel &model, QWidget *parent = nullptr);

    QDateEdit *startField() const;
    QDateEdit *endField() const;
    QComboBox *categoryMenu() const { return m_category; }
    QLineEdit *amountField() const { return m_amount; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }

private:
    void refresh();

    BudgetModel &m_model;
    DateRangeRow *m_range;
    QComboBox *m_category;
    QLineEdit *m_amount;
    SheetToolbar *m_toolbar;
    QPushButton *m_cancel;
    QPushButton *m_save;
};
