// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddAssetAmountModel.h"

#include "AssetDimension.h"
#include "model/AmountText.h"
#include "model/AssetAdjustment.h"
#include "model/Clock.h"
#include "model/LocalCalendar.h"
#include "store/ModelStore.h"

AddAssetAmountModel::AddAssetAmountModel(ModelStore &store, AssetAccount account,
                                         AssetAmountOperation operation, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_account(std::move(account))
    , m_operation(operation)
    , m_date(Clock::now())
{
}

bool AddAssetAmountModel::liability() const
{
    return AssetDimensions::isLiability(m_account.dimension);
}

QString AddAssetAmountModel::actionTitle() const
{
    return AssetWording::actionTitle(m_operation, liability());
}

QString AddAssetAmountModel::title() const
{
    return AssetWording::formTitle(m_operation, liability(), m_account.name);
}

QString AddAssetAmountModel::confirmText() const
{
    return AssetWording::confirmText(m_operation, liability());
}

void AddAssetAmountModel::setAmount(const QString &text)
{
    m_amount = text;
    Q_EMIT changed();
}

void AddAssetAmountModel::setDay(QDate day)
{
    if (!day.isValid())
        return;
    m_date = LocalCalendar::onDay(m_date, day);
    Q_EMIT changed();
}

void AddAssetAmountModel::setNote(const QString &note)
{
    m_note = note;
    Q_EMIT changed();
}

bool AddAssetAmountModel::canSave() const
{
    return AmountText::isPositive(m_amount);
}

bool AddAssetAmountModel::save()
{
    const std::optional<double> typed = AmountText::positive(m_amount);
    if (!typed)
        return false;
    if (!m_store.insert(
            AssetAdjustment(m_account.id, AssetWording::signedAmount(m_operation, *typed), m_date, m_note)))
        return false;
    Q_EMIT saved();
    return true;
}
