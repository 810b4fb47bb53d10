// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetManagementView.h"

#include "AddFixedAssetView.h"
#include "FixedAssetCardDelegate.h"
#include "FixedAssetDetailView.h"
#include "ui/AssetTotalCard.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/CardGrid.h"
#include "ui/EmptyState.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Sheets.h"
#include "ui/Spacing.h"
#include "ui/WorkspaceHeader.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

FixedAssetManagementView::FixedAssetManagementView(ModelStore &store, QWidget *parent)
    : QWidget(parent), m_model(store)
{
    const ScrollPage::Column page = ScrollPage::centredColumn(this, Spacing::pageMargin, Spacing::pageWidth,
                                                              Spacing::assetSectionSpacing);
    QWidget *content = page.content;
    QVBoxLayout *column = page.layout;

    auto *header = new WorkspaceHeader(u"固定资产管理"_s, u"记录长期持有且有价值的物品"_s, content);
    m_add = Buttons::prominent(u"新增固定资产"_s, u"plus"_s, header);
    m_add->setAccessibleName(u"新增固定资产"_s);
    header->addAction(m_add);
    column->addWidget(header);

    auto *totals = new QHBoxLayout;
    totals->setSpacing(Spacing::cardSpacing);
    m_valueCard = new AssetTotalCard(u"固定资产估值"_s, 0, u"building.2.fill"_s, Palette::indigo(), content);
    m_depreciationCard =
        new AssetTotalCard(u"预估月折旧"_s, 0, u"arrow.down.right"_s, Palette::warning(), content);
    totals->addWidget(m_valueCard, 1);
    totals->addWidget(m_depreciationCard, 1);
    column->addLayout(totals);

    auto *emptyPanel = new Card(content);
    emptyPanel->setMinimumHeight(300);
    auto *emptyLayout = new QVBoxLayout(emptyPanel);
    emptyLayout->addWidget(new EmptyState(u"building.2.crop.circle"_s, u"还没有固定资产"_s,
                                          u"可添加车辆、电子设备、家具家电、收藏品等有价值资产。"_s,
                                          emptyPanel));
    m_empty = emptyPanel;
    column->addWidget(m_empty);

    m_grid = new CardGrid(content);
    m_grid->setItemDelegate(new FixedAssetCardDelegate(m_grid));
    m_grid->setMinimumColumnWidth(FixedAssetCardDelegate::minimumWidth);
    m_grid->setSpacing(Spacing::fixedAssetCardSpacing);
    m_grid->setCardRadius(FixedAssetCardDelegate::radius);
    m_grid->setAccessibleName(u"固定资产列表"_s);
    m_grid->setModel(m_model.items());
    column->addWidget(m_grid);
    column->addStretch(1);

    connect(m_add, &QPushButton::clicked, this, [this] { m_model.setShowingAdd(true); });
    connect(m_grid, &CardGrid::opened, this, [this](const QModelIndex &index) {
        m_model.selectAsset(index.data(FixedAssetListModel::IdRole).toUuid());
    });
    // Delete asks over the asset's detail, the same confirmation as its trash button.
    connect(m_grid, &CardGrid::deleteRequested, this, [this](const QModelIndex &index) {
        m_model.selectAsset(index.data(FixedAssetListModel::IdRole).toUuid());
        auto *detail = qobject_cast<FixedAssetDetailView *>(m_detailSheet.data());
        if (detail != nullptr && detail->isVisible())
            detail->model().setConfirmingDelete(true);
    });
    connect(&m_model, &FixedAssetManagementModel::changed, this, &FixedAssetManagementView::refresh);
    connect(&m_model, &FixedAssetManagementModel::showingAddChanged, this, [this](bool showing) {
        Sheets::follow(
            m_addSheet, showing,
            [this]() -> QDialog * { return new AddFixedAssetView(m_model.store(), this); },
            [this] { m_model.setShowingAdd(false); });
    });
    connect(&m_model, &FixedAssetManagementModel::selectedAssetChanged, this,
            &FixedAssetManagementView::showDetail);
    refresh();
}

void FixedAssetManagementView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_model.refresh();
}

void FixedAssetManagementView::refresh()
{
    m_valueCard->setValue(m_model.totalValue());
    m_depreciationCard->setValue(m_model.totalMonthlyDepreciation());
    const bool empty = m_model.isEmpty();
    m_empty->setVisible(empty);
    m_grid->setVisible(!empty);
}

void FixedAssetManagementView::showDetail()
{
    const std::optional<QUuid> selected = m_model.selectedAsset();
    Sheets::follow(
        m_detailSheet, selected.has_value(),
        [this, id = selected.value_or(QUuid())]() -> QDialog * {
            return new FixedAssetDetailView(m_model.store(), id, this);
        },
        [this] { m_model.clearSelection(); });
}
