#include "AssetLedgerModel.h"

#include "model/Clock.h"
#include "store/ModelStore.h"

AssetLedgerModel::AssetLedgerModel(ModelStore &store, QObject *parent)
    : QObject(parent), m_store(store), m_selectedDate(Clock::now()), m_endDate(m_selectedDate)
{
    const QDateTime monthEarlier = LocalCalendar::addMonths(m_endDate, -1);
    m_startDate = monthEarlier.isValid() ? monthEarlier : m_endDate;
    connect(&store, &ModelStore::assetAdjustmentsChanged, this, &AssetLedgerModel::recompute);
}

void AssetLedgerModel::setPeriod(AssetLedgerPeriod period)
{
    if (period == m_period)
        return;
    m_period = period;
    recompute();
}

void AssetLedgerModel::setSelectedDate(const QDateTime &date)
{
    m_selectedDate = date;
    recompute();
}

void AssetLedgerModel::setStartDate(const QDateTime &date)
{
    m_startDate = date;
    recompute();
}

void AssetLedgerModel::setEndDate(const QDateTime &date)
{
    m_endDate = date;
    recompute();
}

void AssetLedgerModel::setSelectedDay(QDate day)
{
    setSelectedDate(AssetLedgerPeriods::movedToDay(m_selectedDate, day));
}

void AssetLedgerModel::setStartDay(QDate day)
{
    setStartDate(AssetLedgerPeriods::movedToDay(m_startDate, day));
}

void AssetLedgerModel::setEndDay(QDate day)
{
    setEndDate(AssetLedgerPeriods::movedToDay(m_endDate, day));
}

AssetLedgerRange AssetLedgerModel::range() const
{
    return AssetLedgerPeriods::range(m_period, m_selectedDate, m_startDate, m_endDate);
}

void AssetLedgerModel::recompute()
{
    m_rows.clear();
    compute(range());
    Q_EMIT changed();
}
