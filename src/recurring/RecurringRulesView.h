// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecurringRuleFormView.h"
#include "ui/Sheet.h"

#include <QMessageBox>
#include <QPointer>

class EmptyState;
class ModelStore;
class QListView;
class QModelIndex;
class RecurringRuleListModel;

// 「周期账单」: every recurring rule with its schedule and next day, 「新增」 for a new one; a
// row opens its rule to edit, and its trash button (or Delete) removes it after a confirmation
// that says the entries already written stay.
class RecurringRulesView final : public Sheet {
    Q_OBJECT

public:
    explicit RecurringRulesView(ModelStore &store, QWidget *parent = nullptr);

    RecurringRuleListModel *listModel() const { return m_rows; }
    QListView *listView() const { return m_list; }
    EmptyState *emptyState() const { return m_empty; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *closeButton() const { return cancelButton(); }
    // The open rule form and deletion confirmation, or nullptr.
    RecurringRuleFormView *form() const { return m_form; }
    QMessageBox *deleteConfirmation() const { return m_confirmation; }

    void requestEdit(const QModelIndex &index);
    void requestDeletion(const QModelIndex &index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startNew();
    void refresh();

    ModelStore &m_store;
    RecurringRuleListModel *m_rows;
    QPushButton *m_add;
    QListView *m_list;
    EmptyState *m_empty;
    QPointer<RecurringRuleFormView> m_form;
    QPointer<QMessageBox> m_confirmation;
};
