// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPainter;
class QRect;

// The user's own text on one painted line: cards and rows drawn by delegates cut a long name
// with "…" at the end rather than run past their edge. The whole text reaches the user through
// the row's tooltip and accessible text.
namespace ElidedText {

// Line breaks as spaces: a note or a name typed over several lines on a single line.
QString oneLine(const QString &text);
// Draws the text in the rectangle with the painter's font, cut with "…" to its width.
void draw(QPainter &painter, const QRect &rect, int alignment, const QString &text);

} // namespace ElidedText
