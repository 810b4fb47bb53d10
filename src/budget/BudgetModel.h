// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BudgetPeriodGroup.h"
#include "model/Budget.h"
#include "model/LedgerEntry.h"
#include "model/PeriodSelection.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QUuid>

#include <vector>

class ModelStore;

// The budget workspace without its widgets: the period in force today and every other
// period, the add form's fields, and the pending deletion of a period. Everything derived
// is recomputed from the store on each change, with "today" read afresh.
class BudgetModel final : public QObject {
    Q_OBJECT

public:
    explicit BudgetModel(ModelStore &store, QObject *parent = nullptr);

    // The budgets in force now, in store order.
    const std::vector<Budget> &activeBudgets() const { return m_active; }
    // The period in force now: at most one group.
    const std::vector<BudgetPeriodGroup> &currentGroups() const { return m_current; }
    // Every other period, ended or not yet begun.
    const std::vector<BudgetPeriodGroup> &pastGroups() const { return m_past; }
    // "为当前周期添加分类" is offered only for a period of chosen days, not a month budget.
    bool canAddToCurrentPeriod() const;

    // The add form. The end day never lies before the start day: moving the start past the
    // end takes the end along, and an earlier end is held at the start day.
    QString category() const { return m_category; }
    void setCategory(const QString &category);
    QString amount() const { return m_amount; }
    void setAmount(const QString &amount);
    const PeriodSelection &period() const { return m_period; }
    QDateTime periodStart() const { return m_period.start(); }
    QDateTime periodEnd() const { return m_period.end(); }
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setStartDay(QDate day);
    void setEndDay(QDate day);
    bool showingAdd() const { return m_showingAdd; }
    // The amount text converts strictly to a value greater than 0.
    bool canSave() const;

    // The pending deletion of a period.
    bool showingPeriodDeleteConfirmation() const { return m_showingDeleteConfirmation; }
    // "删除“<title>”预算？"
    QString deleteConfirmationTitle() const;
    static QString deleteConfirmationMessage();

    // The last day of a period that starts at now: one calendar month later, less a day.
    static QDateTime initialPeriodEnd(const QDateTime &now);

    // Recomputes the periods as of Clock::now().
    void refresh();
    // Empties the amount and proposes a month from today; the category stays.
    void prepareNewPeriod();
    // "新建预算周期": a fresh period in the add form.
    void startNewPeriod();
    // "为当前周期添加分类": the add form on the days of the period in force.
    void addToCurrentPeriod();
    void cancelAdd();
    // Replaces the limit of the category's budget on the same days, or inserts a new budget,
    // and closes the form. False, with nothing stored and the form left open, for an invalid
    // amount or a write the store refused.
    bool saveBudget();

    void requestPeriodDeletion(const QString &title, const std::vector<Budget> &budgets);
    void cancelPeriodDeletion();
    // Removes the pending period's budgets in one transaction; entries are never touched.
    bool deleteRequestedPeriod();

Q_SIGNALS:
    // The periods were recomputed.
    void changed();
    // A field of the add form changed.
    void formChanged();
    void showingAddChanged(bool showing);
    void showingPeriodDeleteConfirmationChanged(bool showing);

private:
    void setShowingAdd(bool showing);
    void setShowingDeleteConfirmation(bool showing);

    ModelStore &m_store;
    std::vector<Budget> m_active;
    std::vector<BudgetPeriodGroup> m_current;
    std::vector<BudgetPeriodGroup> m_past;

    QString m_category;
    QString m_amount;
    PeriodSelection m_period;
    bool m_showingAdd = false;

    bool m_showingDeleteConfirmation = false;
    QList<QUuid> m_idsPendingDeletion;
    QString m_titlePendingDeletion;
};
