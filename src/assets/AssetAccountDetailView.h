// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetAccountDetailModel.h"

#include "ui/Sheet.h"

#include <QDialog>
#include <QPointer>

class AssetChangeDelegate;
class AssetChangeListModel;
class QLabel;
class QListView;
class QPushButton;

// "管理资产" / "管理负债": the account's balance and every change of it. Changes are deleted
// from their row's trash button or with Delete, at once; the trash button of the toolbar
// deletes the account and its changes after a confirmation.
class AssetAccountDetailView final : public Sheet {
    Q_OBJECT

public:
    AssetAccountDetailView(ModelStore &store, const AssetAccount &account, QWidget *parent = nullptr);

    AssetAccountDetailModel &model() { return m_model; }
    QPushButton *ledgerButton() const { return m_ledger; }
    QPushButton *deductionButton() const { return m_deduction; }
    QPushButton *increaseButton() const { return m_increase; }
    QPushButton *deleteButton() const { return m_delete; }
    QLabel *balanceLabel() const { return m_balance; }
    QLabel *emptyLabel() const { return m_empty; }
    QListView *list() const { return m_list; }
    QDialog *openSheet() const { return m_sheet; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void followSheet();
    void removeSelected();

    AssetAccountDetailModel m_model;
    QPushButton *m_ledger;
    QPushButton *m_deduction;
    QPushButton *m_increase;
    QPushButton *m_delete;
    ElidedLabel *m_name;
    ElidedLabel *m_kind;
    QLabel *m_balance;
    QLabel *m_empty;
    QListView *m_list;
    AssetChangeListModel *m_rows;
    AssetChangeDelegate *m_delegate;
    QPointer<QDialog> m_sheet;
};
