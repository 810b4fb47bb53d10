// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BudgetFormView.h"
#include "BudgetModel.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

class ModelStore;
class QFrame;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

// "预算管理": the period in force today with a row per category, the buttons that open the
// add form, and every other period under past records. Opened from the overview, which
// pops it again on backRequested().
class BudgetView final : public QWidget {
    Q_OBJECT

public:
    explicit BudgetView(ModelStore &store, QWidget *parent = nullptr);

    BudgetModel &model() { return m_model; }
    QPushButton *backButton() const { return m_back; }
    // "为当前周期添加分类", hidden unless the period in force has chosen days.
    QPushButton *addToCurrentButton() const { return m_addToCurrent; }
    // "新建预算周期"
    QPushButton *newPeriodButton() const { return m_newPeriod; }
    // The sections rebuilt on every change: the period in force (or the "当前周期" notice)
    // and the past records, which is hidden while there are none.
    QWidget *currentSection() const { return m_current; }
    QWidget *pastSection() const { return m_past; }
    // The open add form and delete confirmation, or nullptr.
    BudgetFormView *form() const { return m_form; }
    QMessageBox *deleteConfirmation() const { return m_confirmation; }

Q_SIGNALS:
    void backRequested();

protected:
    // "Today" may have moved on since the last store change.
    void showEvent(QShowEvent *event) override;

private:
    void rebuild();
    void showForm(bool showing);
    void showDeleteConfirmation(bool showing);

    BudgetModel m_model;
    QPushButton *m_back;
    QScrollArea *m_scroll;
    QWidget *m_current;
    QPushButton *m_addToCurrent;
    QFrame *m_actionDivider;
    QPushButton *m_newPeriod;
    QWidget *m_past;
    QPointer<BudgetFormView> m_form;
    QPointer<QMessageBox> m_confirmation;
};
