// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MonthSeries.h"

#include "ui/PaintedItems.h"

#include <QDate>
#include <QWidget>

// Income and expense per month as paired bars (or one chosen category's expense alone), the
// balance of each month as a line of diamond marks, the average as a dashed rule, and the
// figures of the month under the pointer or the keyboard written above the plot. Left and
// Right move between months, Return or a click opens the month. Screen readers get every bar
// and the average as items of the chart, each with its figures.
class MonthBarsChart final : public QWidget {
    Q_OBJECT

public:
    static constexpr int chartHeight = 320;

    explicit MonthBarsChart(QWidget *parent = nullptr);

    void setSeries(const MonthSeries &series);
    const MonthSeries &series() const { return m_series; }

    // The month the keyboard is on, or -1.
    int currentMonth() const { return m_current; }
    void setCurrentMonth(int index);
    // "2025年3月".
    static QString monthTitle(QDate first);
    // The month's figures as the caption and the tooltip give them.
    QString monthText(int index) const;
    // The column of a month, and its bars (one in a category's chart, income then expense
    // otherwise), in the widget's coordinates.
    QRect columnRect(int index) const;
    QList<QRect> barRects(int index) const;
    QList<PaintedItems::Item> accessibleItems() const;

    QSize sizeHint() const override;

Q_SIGNALS:
    // A bar was clicked or Return pressed on its month.
    void monthActivated(QDate first);

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
    QRect plotRect() const;
    double top() const;
    double bottom() const;
    int yOf(double value) const;
    int monthAt(QPoint point) const;
    // The month whose figures the caption shows: the hovered one, else the keyboard's.
    int shownMonth() const;

    MonthSeries m_series;
    double m_step = 1;
    int m_current = -1;
    int m_hovered = -1;
    PaintedItems *m_items;
};
