// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Budget.h"
#include "model/BudgetRowFigures.h"
#include "model/LedgerEntry.h"

#include <QWidget>

#include <vector>

class QLabel;
class UsageBar;

// One category's budget: the category with its icon, "已用 P%" and "结余 ¥…", a bar of the
// share spent, and "已用 ¥… / ¥…" beneath. A row of a past or future period (historical)
// only sits tighter: 3 px above and below instead of 5.
class BudgetProgressRow final : public QWidget {
    Q_OBJECT

public:
    BudgetProgressRow(const Budget &item, const BudgetRowFigures &figures, bool historical = false,
                      QWidget *parent = nullptr);

    const Budget &item() const { return m_item; }
    bool isHistorical() const { return m_historical; }
    const BudgetRowFigures &figures() const { return m_figures; }
    static int verticalMargin(bool historical) { return historical ? 3 : 5; }

    QLabel *categoryLabel() const { return m_category; }
    QLabel *percentLabel() const { return m_percent; }
    QLabel *remainingLabel() const { return m_remaining; }
    QLabel *usageLabel() const { return m_usage; }
    UsageBar *bar() const { return m_bar; }

private:
    Budget m_item;
    bool m_historical;
    BudgetRowFigures m_figures;
    QLabel *m_category;
    QLabel *m_percent;
    QLabel *m_remaining;
    QLabel *m_usage;
    UsageBar *m_bar;
};
