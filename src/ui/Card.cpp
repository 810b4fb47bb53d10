// SPDX-License-Identifier: GPL-3.0-or-later
#include "Card.h"

#include "Palette.h"

#include <QLayout>
#include <QPainter>
#include <QPainterPath>

Card::Card(QWidget *parent)
    : QFrame(parent), m_fill(Palette::controlBackground()), m_border(Palette::border())
{
    setFrameShape(QFrame::NoFrame);
}

void Card::setFill(const QColor &fill)
{
    m_fill = fill;
    update();
}

void Card::setBorderColour(const QColor &colour)
{
    m_border = colour;
    update();
}

void Card::setRadius(qreal radius)
{
    m_radius = radius;
    update();
}

void Card::setPadding(int padding)
{
    if (layout())
        layout()->setContentsMargins(padding, padding, padding, padding);
    else
        setContentsMargins(padding, padding, padding, padding);
}

void Card::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
    painter.fillPath(path, m_fill);
    if (m_border.alpha() > 0) {
        painter.setPen(QPen(m_border, 1));
        painter.drawPath(path);
    }
}
