// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FixedAssetManagementModel.h"

#include <QPointer>
#include <QWidget>

class AssetTotalCard;
class CardGrid;
class ModelStore;
class QDialog;
class QPushButton;

// "固定资产管理": the register's two totals over a grid of item cards, or the empty state
// while there are none. "新增固定资产" opens the add form; a card opens the item's detail.
class FixedAssetManagementView final : public QWidget {
    Q_OBJECT

public:
    explicit FixedAssetManagementView(ModelStore &store, QWidget *parent = nullptr);

    FixedAssetManagementModel &model() { return m_model; }
    QPushButton *addButton() const { return m_add; }
    AssetTotalCard *valueCard() const { return m_valueCard; }
    AssetTotalCard *depreciationCard() const { return m_depreciationCard; }
    QWidget *emptyState() const { return m_empty; }
    CardGrid *grid() const { return m_grid; }
    // The open add form and detail, or nullptr.
    QDialog *addSheet() const { return m_addSheet; }
    QDialog *detailSheet() const { return m_detailSheet; }

protected:
    // "Today" may have moved on since the last store change.
    void showEvent(QShowEvent *event) override;

private:
    void refresh();
    void showDetail();

    FixedAssetManagementModel m_model;
    QPushButton *m_add;
    AssetTotalCard *m_valueCard;
    AssetTotalCard *m_depreciationCard;
    QWidget *m_empty;
    CardGrid *m_grid;
    QPointer<QDialog> m_addSheet;
    QPointer<QDialog> m_detailSheet;
};
