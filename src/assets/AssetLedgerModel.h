#pragma once

#include "AssetChangeRow.h"
#include "AssetLedgerPeriod.h"

#include <QDate>
#include <QDateTime>
#include <QObject>

#include <vector>

class ModelStore;

// The period choice both ledgers share, and their rows. Every change of the choice or of the
// store recomputes at once; switching the period keeps the dates last chosen.
class AssetLedgerModel : public QObject {
    Q_OBJECT

public:
    AssetLedgerPeriod period() const { return m_period; }
    void setPeriod(AssetLedgerPeriod period);
    QDateTime selectedDate() const { return m_selectedDate; }
    void setSelectedDate(const QDateTime &date);
    QDateTime startDate() const { return m_startDate; }
    void setStartDate(const QDateTime &date);
    QDateTime endDate() const { return m_endDate; }
    void setEndDate(const QDateTime &date);
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setSelectedDay(QDate day);
    void setStartDay(QDate day);
    void setEndDay(QDate day);

    AssetLedgerRange range() const;
    const std::vector<AssetChangeRow> &rows() const { return m_rows; }

    void recompute();

Q_SIGNALS:
    void changed();

protected:
    explicit AssetLedgerModel(ModelStore &store, QObject *parent = nullptr);
    // Fills the rows and the sums for the range.
    virtual void compute(const AssetLedgerRange &range) = 0;

    ModelStore &m_store;
    std::vector<AssetChangeRow> m_rows;

private:
    AssetLedgerPeriod m_period = AssetLedgerPeriod::month;
    QDateTime m_selectedDate;
    QDateTime m_startDate;
    QDateTime m_endDate;
};
