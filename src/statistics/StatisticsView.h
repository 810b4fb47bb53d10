// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatisticsModel.h"

#include <QWidget>

#include <array>

class CategoryRanking;
class DateRangeRow;
class EmptyState;
class ExpenseDonut;
class QDateEdit;
class QLabel;
class QPushButton;
class SegmentedControl;
class SummaryChip;

// "统计分析": a range picker with the date pickers of the chosen range, the income, expense
// and balance of the range, and, when it holds any expense, a donut and a ranking of the
// expense categories; otherwise a notice that there is nothing to chart.
class StatisticsView final : public QWidget {
    Q_OBJECT

public:
    StatisticsView(ModelStore &store, DailyTotals &totals, QWidget *parent = nullptr);

    StatisticsModel &model() { return m_model; }
    SegmentedControl *rangePicker() const { return m_range; }
    // "选择日期", "选择所在周" or "选择所在月" by the range; hidden for a custom span.
    QDateEdit *selectedPicker() const { return m_selected; }
    QDateEdit *startPicker() const;
    QDateEdit *endPicker() const;
    QLabel *selectedCaption() const { return m_selectedCaption; }
    const std::array<SummaryChip *, 3> &chips() const { return m_chips; }
    QWidget *chartCard() const { return m_chartCard; }
    ExpenseDonut *donut() const { return m_donut; }
    CategoryRanking *ranking() const { return m_ranking; }
    EmptyState *emptyState() const { return m_empty; }
    // "年度趋势" in the header.
    QPushButton *trendsButton() const { return m_trends; }

Q_SIGNALS:
    void trendsRequested();

private:
    QWidget *buildRangeControls(QWidget *parent);
    void refresh();

    StatisticsModel m_model;
    SegmentedControl *m_range = nullptr;
    QWidget *m_selectedRow = nullptr;
    QLabel *m_selectedCaption = nullptr;
    QDateEdit *m_selected = nullptr;
    DateRangeRow *m_customRow = nullptr;
    std::array<SummaryChip *, 3> m_chips{};
    QWidget *m_chartCard = nullptr;
    ExpenseDonut *m_donut = nullptr;
    QWidget *m_rankingCard = nullptr;
    CategoryRanking *m_ranking = nullptr;
    EmptyState *m_empty = nullptr;
    QPushButton *m_trends = nullptr;
};
