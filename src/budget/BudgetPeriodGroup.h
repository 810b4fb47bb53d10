#pragma once

#include "model/Budget.h"

#include <QString>

#include <vector>

// The budgets of one period under their shared title.
struct BudgetPeriodGroup {
    QString key;
    std::vector<Budget> budgets;

    // Groups by period title; categories ascending and titles descending, both compared as
    // plain text by Unicode code point. Budgets of one category keep their input order.
    static std::vector<BudgetPeriodGroup> grouped(const std::vector<Budget> &budgets);
};
