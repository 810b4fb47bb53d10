// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetDetailModel.h"

#include "model/Clock.h"
#include "model/DateText.h"
#include "model/Money.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

FixedAssetDetailModel::FixedAssetDetailModel(ModelStore &store, const QUuid &id, QObject *parent)
    : QObject(parent), m_store(store), m_id(id)
{
    connect(&m_store, &ModelStore::fixedAssetsChanged, this, &FixedAssetDetailModel::refresh);
    refresh();
}

const FixedAsset *FixedAssetDetailModel::asset() const
{
    return m_store.find<FixedAsset>(m_id);
}

QList<FixedAssetDetailModel::InfoRow> FixedAssetDetailModel::infoRows() const
{
    const FixedAsset *item = asset();
    if (!item)
        return {};
    QList<InfoRow> rows{
        {u"购入日期"_s, DateText::longDate(item->purchaseDate.toLocalTime().date())},
        {u"预计使用寿命"_s, FixedAssetFigures::monthsText(item->usefulLifeMonths)},
        {u"已使用"_s, FixedAssetFigures::monthsText(m_figures.usedMonths)},
        {u"剩余寿命"_s, FixedAssetFigures::monthsText(m_figures.monthsLeft)},
        {u"预估月折旧"_s, Money::text(m_figures.monthlyDepreciation)},
    };
    if (!item->note.isEmpty())
        rows.append({u"备注"_s, item->note});
    return rows;
}

void FixedAssetDetailModel::setShowingEdit(bool showing)
{
    if (showing == m_showingEdit || (showing && !asset()))
        return;
    m_showingEdit = showing;
    Q_EMIT showingEditChanged(showing);
}

void FixedAssetDetailModel::setConfirmingDelete(bool confirming)
{
    if (confirming == m_confirmingDelete || (confirming && !asset()))
        return;
    m_confirmingDelete = confirming;
    Q_EMIT confirmingDeleteChanged(confirming);
}

bool FixedAssetDetailModel::deleteAsset()
{
    setConfirmingDelete(false);
    // The store's change signal ends the detail through refresh().
    return m_store.remove<FixedAsset>(m_id);
}

void FixedAssetDetailModel::refresh()
{
    const FixedAsset *item = asset();
    if (!item) {
        // Closing the sheets first, so nothing stays open over an item that is gone.
        setShowingEdit(false);
        setConfirmingDelete(false);
        if (!m_ended) {
            m_ended = true;
            Q_EMIT ended();
        }
        return;
    }
    m_figures = FixedAssetFigures::of(*item, Clock::now());
    Q_EMIT changed();
}

QString FixedAssetDetailModel::deleteTitle()
{
    return u"删除这个固定资产？"_s;
}

QString FixedAssetDetailModel::deleteMessage()
{
    return u"删除后无法从应用内恢复。"_s;
}
