#pragma once

#include <QColor>

// Colours by role. Everything that means "expense" is indigo, "income" green; budget usage
// turns orange, then red.
namespace Palette {

QColor indigo();
QColor expense();
QColor income();
QColor warning();
QColor over();
// Text and fills that recede: captions, dividers, faint panels.
QColor secondaryText();
QColor faintFill();
QColor controlBackground();
QColor windowBackground();
QColor border();

// The same colour with another opacity (0..1).
QColor withAlpha(QColor colour, qreal opacity);

} // namespace Palette
