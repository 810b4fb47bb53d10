// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>

class QPainter;

// The mark of the keyboard's place in a painted list: an accent outline around the current
// row while the list has the focus, drawn by the row's delegate over whatever else it paints.
namespace FocusRing {

void paint(QPainter &painter, const QRectF &rect, qreal radius);

} // namespace FocusRing
