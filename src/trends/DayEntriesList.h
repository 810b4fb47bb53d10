// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/LedgerEntry.h"
#include "model/RecordRange.h"

#include <QDate>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// The entries of the day chosen in the calendar under a heading with the day's expense: one row
// each, as the bills list draws them. A day holds a handful of entries, so rows are widgets.
class DayEntriesList final : public QWidget {
    Q_OBJECT

public:
    explicit DayEntriesList(QWidget *parent = nullptr);

    // An invalid day hides the list; expense is the day's as the calendar gives it.
    void setDay(QDate day, RecordRange<LedgerEntry> entries, double expense);
    QLabel *heading() const { return m_heading; }
    int rowCount() const;

private:
    QLabel *m_heading;
    QWidget *m_rows;
    QVBoxLayout *m_rowLayout;
};
