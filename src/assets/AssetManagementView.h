// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AssetManagementModel.h"

#include <QPointer>
#include <QWidget>

#include <array>

class AssetAccountSection;
class AssetTotalCard;
class AssetTrendLink;
class ModelStore;
class QDialog;
class QPushButton;

// The assets workspace: the three totals, the way into the trend, and the accounts of each
// dimension as cards. It opens the add form, an account's detail, the trend and the
// repayment ledger as sheets, one at a time.
class AssetManagementView final : public QWidget {
    Q_OBJECT

public:
    explicit AssetManagementView(ModelStore &store, QWidget *parent = nullptr);

    AssetManagementModel &model() { return m_model; }
    AssetTotalCard *totalCard(AssetDimension dimension) const { return m_totals[size_t(dimension)]; }
    AssetAccountSection *section(AssetDimension dimension) const { return m_sections[size_t(dimension)]; }
    QPushButton *addButton() const { return m_add; }
    QPushButton *repaymentButton() const { return m_repayments; }
    AssetTrendLink *trendLink() const { return m_trend; }
    QDialog *openSheet() const { return m_sheet; }

private:
    void refresh();
    void followSheet();
    QDialog *makeSheet();

    AssetManagementModel m_model;
    QPushButton *m_repayments;
    QPushButton *m_add;
    AssetTrendLink *m_trend;
    std::array<AssetTotalCard *, 3> m_totals{};
    std::array<AssetAccountSection *, 3> m_sections{};
    QPointer<QDialog> m_sheet;
};
