// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddAssetAccountModel.h"

#include "model/AmountText.h"
#include "model/AssetAccount.h"
#include "model/Clock.h"
#include "store/ModelStore.h"

AddAssetAccountModel::AddAssetAccountModel(ModelStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_kind(AssetDimensions::kinds(m_dimension).first())
{
}

void AddAssetAccountModel::setDimension(AssetDimension dimension)
{
    if (dimension == m_dimension)
        return;
    m_dimension = dimension;
    m_kind = AssetDimensions::kinds(dimension).first();
    Q_EMIT changed();
}

void AddAssetAccountModel::setKind(const QString &kind)
{
    if (kind == m_kind || !AssetDimensions::kinds(m_dimension).contains(kind))
        return;
    m_kind = kind;
    Q_EMIT changed();
}

void AddAssetAccountModel::setName(const QString &name)
{
    m_name = name;
    Q_EMIT changed();
}

void AddAssetAccountModel::setOpeningBalance(const QString &text)
{
    m_openingBalance = text;
    Q_EMIT changed();
}

bool AddAssetAccountModel::canSave() const
{
    return AmountText::isNonNegative(m_openingBalance);
}

bool AddAssetAccountModel::save()
{
    const std::optional<double> amount = AmountText::nonNegative(m_openingBalance);
    if (!amount)
        return false;
    const QString trimmed = m_name.trimmed();
    const AssetAccount account(trimmed.isEmpty() ? m_kind : trimmed, m_kind,
                               AssetDimensions::rawValue(m_dimension), *amount, Clock::now());
    if (!m_store.insert(account))
        return false;
    Q_EMIT saved();
    return true;
}
