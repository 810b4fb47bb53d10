// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetFormModel.h"

#include "FixedAssetCategory.h"
#include "model/AmountText.h"
#include "model/Clock.h"
#include "model/LifeMonthsText.h"
#include "model/LocalCalendar.h"
#include "model/Money.h"
#include "store/ModelStore.h"

using namespace Qt::StringLiterals;

FixedAssetFormModel::FixedAssetFormModel(QObject *parent)
    : QObject(parent)
    , m_category(FixedAssetCategory::all().constFirst())
    , m_purchaseDate(Clock::now())
    , m_lifeMonths(u"60"_s)
{
}

FixedAssetFormModel::FixedAssetFormModel(const FixedAsset &asset, QObject *parent)
    : QObject(parent)
    , m_asset(asset)
    , m_category(asset.category)
    , m_name(asset.name)
    , m_amount(Money::decimal(asset.currentValue))
    , m_purchaseDate(asset.purchaseDate)
    , m_lifeMonths(QString::number(asset.usefulLifeMonths))
    , m_note(asset.note)
{
}

template <class T> void FixedAssetFormModel::assign(T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT changed();
}

void FixedAssetFormModel::setCategory(const QString &category)
{
    assign(m_category, category);
}

void FixedAssetFormModel::setName(const QString &name)
{
    assign(m_name, name);
}

void FixedAssetFormModel::setAmount(const QString &amount)
{
    assign(m_amount, amount);
}

void FixedAssetFormModel::setPurchaseDate(const QDateTime &date)
{
    assign(m_purchaseDate, date);
}

void FixedAssetFormModel::setPurchaseDay(QDate day)
{
    if (day.isValid() && day != m_purchaseDate.toLocalTime().date())
        setPurchaseDate(LocalCalendar::onDay(m_purchaseDate, day));
}

void FixedAssetFormModel::setLifeMonths(const QString &lifeMonths)
{
    assign(m_lifeMonths, lifeMonths);
}

void FixedAssetFormModel::setNote(const QString &note)
{
    assign(m_note, note);
}

bool FixedAssetFormModel::canSave() const
{
    return !m_name.trimmed().isEmpty() && AmountText::isNonNegative(m_amount) &&
           LifeMonthsText::isValid(m_lifeMonths);
}

bool FixedAssetFormModel::save(ModelStore &store)
{
    const std::optional<double> value = AmountText::nonNegative(m_amount);
    const std::optional<qint64> life = LifeMonthsText::valid(m_lifeMonths);
    const QString name = m_name.trimmed();
    if (!value || !life || name.isEmpty())
        return false;
    if (!m_asset)
        return store.insert(FixedAsset(m_category, name, *value, m_purchaseDate, *life, m_note));

    FixedAsset edited = *m_asset;
    edited.category = m_category;
    edited.name = name;
    edited.currentValue = *value;
    edited.purchaseDate = m_purchaseDate;
    edited.usefulLifeMonths = *life;
    edited.note = m_note;
    if (!store.update(edited))
        return false;
    m_asset = edited;
    return true;
}
