// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReceiptPaper.h"
#include "model/EntryKind.h"
#include "model/PeriodSelection.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

class DailyTotals;
class ModelStore;

// The receipt printer's state and its paper: the expenses or the incomes of the day, week or
// month holding selectedDate, summed per category. Every bound of a receipt is included, so
// an entry stamped exactly at the first instant of the next day, week or month is printed
// too. Any change of the period, the kind, the date or the store's entries prints the
// receipt anew, with the time of that printing.
class ReceiptModel final : public QObject {
    Q_OBJECT

public:
    ReceiptModel(ModelStore &store, DailyTotals &totals, QObject *parent = nullptr);

    // Day, week and month, titled "日", "周" and "月"; each includes its end instant.
    static const PeriodSelection::Rules &periodRules();
    PeriodChoice period() const { return m_period.choice(); }
    void setPeriod(PeriodChoice period);
    EntryKind kind() const { return m_kind; }
    void setKind(EntryKind kind);
    QDateTime selectedDate() const { return m_period.date(); }
    void setSelectedDate(const QDateTime &date);
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setSelectedDay(QDate day);

    // The span of the receipt; none when the calendar gives none.
    std::optional<DateInterval> interval() const;
    const ReceiptPaper &paper() const { return m_paper; }
    QDateTime printedAt() const { return m_printedAt; }

    // The date line: the day in the locale's long style; the week's first and last day in its
    // abbreviated style, joined by " - "; the month as "2024年3月".
    static QString rangeTextOf(const PeriodSelection &period);

Q_SIGNALS:
    void changed();

private:
    void rebuild();

    ModelStore &m_store;
    DailyTotals &m_totals;
    PeriodSelection m_period;
    EntryKind m_kind = EntryKind::expense;
    QDateTime m_printedAt;
    ReceiptPaper m_paper;
};
