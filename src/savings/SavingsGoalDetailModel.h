// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SavingsGoalFigures.h"
#include "model/SavingsDeposit.h"
#include "model/SavingsGoal.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QUuid>

#include <vector>

class ModelStore;
class SavingsDepositIndex;

// One goal's detail without its widgets: the goal's deposits newest first and their sum, the
// deposit form, single deposit deletion and the confirmed deletion of the whole goal.
class SavingsGoalDetailModel final : public QObject {
    Q_OBJECT

public:
    SavingsGoalDetailModel(ModelStore &store, const SavingsDepositIndex &index, const SavingsGoal &goal,
                           QObject *parent = nullptr);

    // The goal as last seen in the store; it stays readable after the goal is deleted.
    const SavingsGoal &goal() const { return m_goal; }
    // The goal's deposits, newest date first.
    int depositCount() const;
    const SavingsDeposit *deposit(int position) const;
    double total() const;
    SavingsGoalFigures figures() const;

    // "存入 " + the goal's name: the deposit form's title.
    QString depositTitle() const;
    // The note, or "存入" when it is empty.
    static QString depositTitle(const SavingsDeposit &deposit);
    // What a screen reader says for a deposit row.
    static QString accessibleText(const SavingsDeposit &deposit);

    // The deposit form, fresh each time it opens.
    bool showingDeposit() const { return m_showingDeposit; }
    void startDeposit();
    void cancelDeposit();
    QString amount() const { return m_amount; }
    void setAmount(const QString &amount);
    QDateTime date() const { return m_date; }
    void setDay(QDate day);
    QString note() const { return m_note; }
    void setNote(const QString &note);
    bool canSaveDeposit() const;
    // Inserts the deposit (the note as typed) and closes the form. False, with nothing
    // stored, when the form is not open, the amount is not valid or the write was refused.
    bool saveDeposit();

    // Removes those of the deposits that belong to this goal, in one transaction; the goal
    // stays. False when the store refused the write.
    bool deleteDeposits(const std::vector<QUuid> &depositIDs);

    bool confirmingDelete() const { return m_confirmingDelete; }
    void requestGoalDeletion();
    void cancelGoalDeletion();
    // Removes the goal and all its deposits in one transaction; the detail then closes.
    bool deleteGoal();
    static QString deleteTitle();
    static QString deleteMessage();

Q_SIGNALS:
    // The goal or its deposits changed.
    void changed();
    void formChanged();
    void showingDepositChanged(bool showing);
    void confirmingDeleteChanged(bool showing);
    // The goal is gone; the detail closes.
    void closeRequested();

private:
    void goalsChangedInStore();
    void setShowingDeposit(bool showing);
    void setConfirmingDelete(bool showing);

    ModelStore &m_store;
    const SavingsDepositIndex &m_index;
    SavingsGoal m_goal;

    bool m_showingDeposit = false;
    QString m_amount;
    QDateTime m_date;
    QString m_note;

    bool m_confirmingDelete = false;
};
