#pragma once

#include "AddSavingsGoalView.h"
#include "SavingsGoalDetailView.h"
#include "SavingsModel.h"

#include <QPointer>
#include <QWidget>

#include <vector>

class EmptyState;
class ModelStore;
class QAbstractButton;
class QGridLayout;
class QPushButton;
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
    QWidget *grid() const { return m_grid; }
    // The pressable cards in grid order (the goals' order).
    const std::vector<QAbstractButton *> &goalButtons() const { return m_buttons; }
    SavingsGoalCard *card(int position) const;
    int columnCount() const { return m_columns; }
    // The open add form and goal detail, or nullptr.
    AddSavingsGoalView *addForm() const { return m_addForm; }
    SavingsGoalDetailView *detail() const { return m_detail; }

    // The number of card columns that fit a width: each at least 300 wide, 16 apart.
    static int columnsFor(int width);

protected:
    // The columns follow the width of the content column.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void rebuildCards();
    void refreshFigures();
    void placeCards();

    SavingsModel m_model;
    QPushButton *m_add;
    QWidget *m_emptyPanel;
    QWidget *m_grid;
    QGridLayout *m_gridLayout;
    std::vector<QAbstractButton *> m_buttons;
    int m_columns = 0;
    QPointer<AddSavingsGoalView> m_addForm;
    QPointer<SavingsGoalDetailView> m_detail;
};
