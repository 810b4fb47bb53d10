// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SpendingCalendar.h"

#include "ui/PaintedItems.h"

#include <QDate>
#include <QWidget>

// A month of days, or a whole year as twelve small months, each day shaded by its expense in
// one hue from pale to deep (never told apart by hue alone), weeks starting on the locale's
// first day. The arrows move the keyboard's day, Return or a click chooses it; the day under
// the pointer or the keyboard has its total in a tooltip and in the line above the grid.
// Screen readers get every day as an item with its date and total.
class CalendarGrid final : public QWidget {
    Q_OBJECT

public:
    explicit CalendarGrid(QWidget *parent = nullptr);

    void setCalendar(const SpendingCalendar &calendar, QDate chosen);
    const SpendingCalendar &calendar() const { return m_calendar; }

    // The day the keyboard is on; invalid before the grid has had the focus.
    QDate currentDay() const { return m_current; }
    void setCurrentDay(QDate day);
    // "3月5日 周三 支出 ¥12.00，2笔", or "… 无支出".
    QString dayText(QDate day) const;
    // Where the day is drawn, in the widget's coordinates; empty when it is not shown.
    QRect dayRect(QDate day) const;
    QList<PaintedItems::Item> accessibleItems() const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void dayActivated(QDate day);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Layout {
        int columns = 1;
        int monthWidth = 0;
        int monthHeight = 0;
        int cell = 0;
        int cellHeight = 0;
        int titleHeight = 0;
    };
    Layout layoutFor(int width) const;
    bool wholeYear() const { return m_calendar.month() == 0; }
    // The month's top-left corner.
    QPoint monthOrigin(int month, const Layout &layout) const;
    // Column of the day in its week, 0 to 6.
    int weekColumn(QDate day) const;
    QDate dayAt(QPoint point) const;
    QColor shade(int level) const;
    QDate shownDay() const;

    SpendingCalendar m_calendar;
    QDate m_chosen;
    QDate m_current;
    QDate m_hovered;
    PaintedItems *m_items;
};
