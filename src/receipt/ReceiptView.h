// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReceiptModel.h"

#include <QWidget>

class QDateEdit;
class ReceiptPaperView;
class SegmentedControl;

// "小票机": the day to print for, the period and kind pickers, and the receipt paper of the
// expenses or incomes of that day, week or month, printed anew on every change.
class ReceiptView final : public QWidget {
    Q_OBJECT

public:
    ReceiptView(ModelStore &store, DailyTotals &totals, QWidget *parent = nullptr);

    ReceiptModel &model() { return m_model; }
    QDateEdit *datePicker() const { return m_date; }
    SegmentedControl *periodPicker() const { return m_period; }
    SegmentedControl *kindPicker() const { return m_kind; }
    ReceiptPaperView *paper() const { return m_paper; }

private:
    void refresh();

    ReceiptModel m_model;
    QDateEdit *m_date = nullptr;
    SegmentedControl *m_period = nullptr;
    SegmentedControl *m_kind = nullptr;
    ReceiptPaperView *m_paper = nullptr;
};
