// SPDX-License-Identifier: GPL-3.0-or-later
#include "FocusRing.h"

#include "Palette.h"

#include <QPainter>

namespace FocusRing {

void paint(QPainter &painter, const QRectF &rect, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Palette::indigo(), 2));
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), radius, radius);
    painter.restore();
}

} // namespace FocusRing
