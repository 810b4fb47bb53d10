// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddSavingsDepositView.h"
#include "SavingsGoalDetailModel.h"

#include "ui/Sheet.h"

#include <QMessageBox>
#include <QPointer>

class ModelStore;
class QAction;
class QLabel;
class QListView;
class QPushButton;
class QVBoxLayout;
class SavingsDepositIndex;
class SavingsDepositListModel;
class SavingsGoalCard;

// The sheet of one goal: its card, "存入明细" newest first, "存入" for a new deposit, Delete
// (key or context menu) for the chosen deposits, and the trash button that deletes the whole
// goal after a confirmation. It closes by itself once the goal is gone.
class SavingsGoalDetailView final : public Sheet {
    Q_OBJECT

public:
    SavingsGoalDetailView(ModelStore &store, const SavingsDepositIndex &index, const SavingsGoal &goal,
                          QWidget *parent = nullptr);

    SavingsGoalDetailModel &model() { return m_model; }
    SavingsGoalCard *card() const { return m_card; }
    QListView *depositList() const { return m_list; }
    QLabel *emptyLabel() const { return m_empty; }
    QPushButton *closeButton() const { return cancelButton(); }
    QPushButton *depositButton() const { return m_deposit; }
    QPushButton *deleteGoalButton() const { return m_deleteGoal; }
    // "删除": removes the selected deposits; the list's Delete key and context menu.
    QAction *deleteDepositAction() const { return m_deleteDeposit; }
    // The open deposit form and goal deletion alert, or nullptr.
    AddSavingsDepositView *depositForm() const { return m_depositForm; }
    QMessageBox *deleteConfirmation() const { return m_confirmation; }

private:
    void refresh();
    void deleteSelectedDeposits();

    SavingsGoalDetailModel m_model;
    SavingsDepositListModel *m_rows;
    QPushButton *m_deposit;
    QPushButton *m_deleteGoal;
    SavingsGoalCard *m_card;
    QListView *m_list;
    QLabel *m_empty;
    QVBoxLayout *m_column;
    int m_sectionAt = 0;
    QAction *m_deleteDeposit;
    QPointer<AddSavingsDepositView> m_depositForm;
    QPointer<QMessageBox> m_confirmation;
};
