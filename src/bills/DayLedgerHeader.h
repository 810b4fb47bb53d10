// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

class QFont;
class QPainter;
class QRect;

// The head of one day in the bills list: the day on the left, and on the right the sums of
// the day's shown expenses (indigo) and incomes (green), over a divider. The sums cover only
// the entries the list shows, so they follow the search and the date filter.
class DayLedgerHeader final {
public:
    DayLedgerHeader(QDateTime date, double expense, double income);

    // The start of the day.
    const QDateTime &date() const { return m_date; }
    double expense() const { return m_expense; }
    double income() const { return m_income; }

    // The day as "3月5日 星期二".
    QString title() const;
    // "支出 ¥32.00" and "收入 ¥0.00".
    QString expenseText() const;
    QString incomeText() const;
    // What a screen reader says for the header.
    QString accessibleText() const;

    // Paints the header into rect with the given base font; nothing outside rect is touched.
    void paint(QPainter &painter, const QRect &rect, const QFont &font) const;

private:
    QDateTime m_date;
    double m_expense;
    double m_income;
};
