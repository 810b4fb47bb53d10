// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/BudgetTone.h"

#include <QColor>
#include <QString>

#include <array>

// Colours by role. Everything that means "expense" is indigo, "income" green; budget usage
// turns orange, then red. Views take every colour from here, never from a literal, so a
// second scheme changes the whole program at once.
namespace Palette {

// The scheme every role answers for: light unless the desktop prefers dark. Set once at
// start-up, before any widget is built.
void setDark(bool dark);

// The window's accent: buttons, selection, toggles.
QColor indigo();
// A deeper accent for text on an accent-tinted fill (the selected sidebar row).
QColor accentStrong();
// Text and symbols drawn on an accent fill.
QColor onAccent();
// The second colour of accent gradients.
QColor blue();

QColor expense();
QColor income();
QColor warning();
QColor over();
QColor tone(BudgetTone tone);

// Text: body, then receding: captions, then hints and chevrons.
QColor primaryText();
QColor secondaryText();
QColor tertiaryText();

QColor windowBackground();
QColor sidebarBackground();
QColor controlBackground();
QColor alternateBackground();
QColor hoverFill();
QColor faintFill();
// Thin lines: card borders, dividers between rows, control outlines.
QColor border();
QColor separator();
QColor controlBorder();
QColor outline();
QColor disabledFill();
QColor disabledText();

// Seven distinct accents a category keeps wherever its icon or tile is shown.
const std::array<QColor, 7> &accentCycle();
// Twelve hues that tell the sectors of one chart apart, by the sector's place in the chart
// rather than by its category: several categories share an accent, so accents cannot. Next
// hues differ most; each stands out from the card it is drawn on.
const std::array<QColor, 12> &chartHues();

// Asset accounts: the tile colour of a brand badge by its image name ("ICBCLogo"); indigo
// for a name without a colour of its own.
QColor brandTile(const QString &imageName);
// The receipt printer: the soft shadow under its paper.
QColor paperShadow();

// The same colour with another opacity (0..1).
QColor withAlpha(QColor colour, qreal opacity);
// The colour as a style-sheet value, alpha included: "rgba(r, g, b, a)".
QString css(const QColor &colour);

} // namespace Palette
