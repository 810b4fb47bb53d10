// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecurringRuleFormModel.h"
#include "ui/Sheet.h"

#include <memory>

class CategoryPicker;
class ModelStore;
class QComboBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimeEdit;
class SegmentedControl;

// 「新增周期账单」 and 「编辑周期账单」: the entry a rule writes on the left, with its schedule
// and its end, and the category grid on the right. Saving stores the rule through the form's
// model and closes the sheet once the store took it.
class RecurringRuleFormView final : public Sheet {
    Q_OBJECT

public:
    // Takes the form's model, filled for a new rule or from a stored one.
    RecurringRuleFormView(ModelStore &store, std::unique_ptr<RecurringRuleFormModel> model,
                          QWidget *parent = nullptr);
    ~RecurringRuleFormView() override;

    RecurringRuleFormModel &model() { return *m_model; }
    SegmentedControl *kindControl() const { return m_kind; }
    QLineEdit *amountField() const { return m_amount; }
    QLineEdit *noteField() const { return m_note; }
    CategoryPicker *categoryPicker() const { return m_picker; }
    QTimeEdit *timeField() const { return m_time; }
    QComboBox *repeatMenu() const { return m_repeat; }
    QComboBox *weekdayMenu() const { return m_weekday; }
    QComboBox *monthMenu() const { return m_month; }
    QComboBox *dayMenu() const { return m_day; }
    QSpinBox *intervalField() const { return m_interval; }
    QDateEdit *firstDayField() const { return m_firstDay; }
    QComboBox *endMenu() const { return m_end; }
    QDateEdit *lastDayField() const { return m_lastDay; }
    QSpinBox *countField() const { return m_count; }
    QLabel *summaryLabel() const { return m_summary; }
    QLabel *problemLabel() const { return m_problem; }
    QPushButton *saveButton() const { return confirmButton(); }

private:
    void buildSchedule(QFormLayout *form);
    void refresh();
    // Offers the dates of the schedule: 1–30 and 「最后一天」 for a month, the month's own days
    // for a year.
    void showDays();
    void save();

    ModelStore &m_store;
    std::unique_ptr<RecurringRuleFormModel> m_model;
    SegmentedControl *m_kind;
    QLineEdit *m_amount;
    QLineEdit *m_note;
    QTimeEdit *m_time;
    QComboBox *m_repeat;
    QComboBox *m_weekday;
    QComboBox *m_month;
    QComboBox *m_day;
    QSpinBox *m_interval;
    QDateEdit *m_firstDay;
    QComboBox *m_end;
    QDateEdit *m_lastDay;
    QSpinBox *m_count;
    QLabel *m_hint;
    QLabel *m_summary;
    QLabel *m_problem;
    CategoryPicker *m_picker;
    QFormLayout *m_form = nullptr;
};
