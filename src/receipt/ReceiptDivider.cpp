// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReceiptDivider.h"

#include "ui/Palette.h"

#include <QPainter>

ReceiptDivider::ReceiptDivider(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ReceiptDivider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(Palette::secondaryText(), 1);
    // Dash lengths are in units of the pen's width, which is one point.
    pen.setDashPattern({3, 3});
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(0, 0.5), QPointF(width(), 0.5));
}
