// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DashboardModel.h"
#include "ui/Card.h"

#include <vector>

class QLabel;
class QPushButton;
class QVBoxLayout;
class UsageBar;

// "预算使用情况": one usage row per active budget (category, percentage, spent against the
// limit, a bar), or a note that the current period has no budget; "管理" asks for the budget
// workspace.
class BudgetSummaryView final : public Card {
    Q_OBJECT

public:
    explicit BudgetSummaryView(QWidget *parent = nullptr);

    void setRows(const std::vector<DashboardModel::BudgetRow> &rows);

    QLabel *emptyLabel() const { return m_empty; }
    int rowCount() const { return static_cast<int>(m_shown.size()); }
    QLabel *percentLabel(int row) const { return m_shown.at(static_cast<std::size_t>(row)).percent; }
    UsageBar *bar(int row) const { return m_shown.at(static_cast<std::size_t>(row)).bar; }

Q_SIGNALS:
    void manageRequested();

private:
    struct ShownRow {
        QWidget *widget;
        QLabel *percent;
        QLabel *amount;
        UsageBar *bar;
    };
    ShownRow makeRow(const DashboardModel::BudgetRow &row);

    QPushButton *m_manage;
    QLabel *m_empty;
    QVBoxLayout *m_rows;
    std::vector<ShownRow> m_shown;
};
