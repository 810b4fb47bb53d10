// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PeriodSelection.h"

#include <QDate>
#include <QDateTime>
#include <QObject>

// A screen model that shows one period at a time. It keeps the period selection and offers the
// date setters its view's pickers connect to; a setter that moves the period calls
// periodChanged(), where the screen computes anew. Invalid dates change nothing.
class PeriodModel : public QObject {
    Q_OBJECT

public:
    const PeriodSelection &selection() const { return m_selection; }
    // The day, week or month shown is the one holding selectedDate.
    QDateTime selectedDate() const { return m_selection.date(); }
    void setSelectedDate(const QDateTime &date);
    // The first and last day of the custom span.
    QDateTime startDate() const { return m_selection.start(); }
    void setStartDate(const QDateTime &date);
    QDateTime endDate() const { return m_selection.end(); }
    void setEndDate(const QDateTime &date);
    // The day chosen in a date-only picker; the time of day stays as it was.
    void setSelectedDay(QDate day);
    void setStartDay(QDate day);
    void setEndDay(QDate day);

protected:
    PeriodModel(const PeriodSelection::Rules &rules, PeriodChoice choice, QObject *parent);

    // Sets the choice; true (and periodChanged() called) when it changed.
    bool changeChoice(PeriodChoice choice);
    virtual void periodChanged() = 0;

private:
    void changeIf(bool changed);

    PeriodSelection m_selection;
};
