// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AddSavingsGoalView.h"
#include "SavingsGoalDetailView.h"
#include "SavingsModel.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class CardGrid;
class EmptyState;
class ModelStore;
class QPushButton;
class QStandardItemModel;
class SavingsGoalCard;

// "存钱计划": a card per goal in a grid whose columns follow the width, the empty state while
// there are none, "新增目标" for the add form, and a goal's detail when its card is pressed.
class SavingsView final : public QWidget {
    Q_OBJECT

public:
    explicit SavingsView(ModelStore &store, QWidget *parent = nullptr);

    SavingsModel &model() { return m_model; }
    QPushButton *addButton() const { return m_add; }
    QWidget *emptyPanel() const { return m_emptyPanel; }
    // The goals in their order, one card each.
    CardGrid *grid() const { return m_grid; }
    SavingsGoalCard *card(int position) const;
    int columnCount() const;
    // The open add form and goal detail, or nullptr.
    AddSavingsGoalView *addForm() const { return m_addForm; }
    SavingsGoalDetailView *detail() const { return m_detail; }

private:
    void rebuildCards();
    void refreshFigures();

    SavingsModel m_model;
    QPushButton *m_add;
    QWidget *m_emptyPanel;
    CardGrid *m_grid;
    QStandardItemModel *m_goals;
    QPointer<AddSavingsGoalView> m_addForm;
    QPointer<SavingsGoalDetailView> m_detail;
};
