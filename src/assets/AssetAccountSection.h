// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/AssetAccount.h"
#include "ui/Card.h"

#include <functional>
#include <vector>

class AssetAccountCardDelegate;
class AssetAccountListModel;
class CardGrid;
class QLabel;

// The accounts of one dimension: a title over a subtitle, then either "暂未添加<title>" or a
// grid of account cards, as many columns of at least 245 points as the width allows.
class AssetAccountSection final : public Card {
    Q_OBJECT

public:
    AssetAccountSection(const QString &title, const QString &subtitle, QWidget *parent = nullptr);

    // The accounts in the order given.
    void setAccounts(const std::vector<AssetAccount> &accounts,
                     const std::function<double(const AssetAccount &)> &balance);

    QString title() const { return m_title; }
    QLabel *emptyLabel() const { return m_empty; }
    CardGrid *grid() const { return m_grid; }
    AssetAccountListModel *listModel() const { return m_model; }

Q_SIGNALS:
    void manageRequested(const AssetAccount &account);
    // Delete on a focused card.
    void deleteRequested(const AssetAccount &account);

private:
    void manage(const QModelIndex &index);

    QString m_title;
    QLabel *m_empty;
    CardGrid *m_grid;
    AssetAccountListModel *m_model;
    AssetAccountCardDelegate *m_delegate;
};
