// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

// Named symbols ("fork.knife", "chart.pie.fill", ...) drawn with the Material Icons font.
// Every symbol name used by a screen maps to a ligature of that font; an unknown name
// falls back to a generic glyph, never to nothing.
namespace Icon {

// Loads the Material Icons font from the system (once). False when it is not installed.
bool ensureFontLoaded();
// The Material Icons ligature drawn for a symbol name.
QString glyphName(const QString &symbol);
// Whether the symbol has its own entry in the table (not the generic fallback).
bool isMapped(const QString &symbol);
// The icon font at a pixel size.
QFont font(int pixelSize);
// The symbol drawn in one colour on a transparent square of the given logical size.
QPixmap pixmap(const QString &symbol, const QColor &colour, int size, qreal devicePixelRatio = 1.0);
QIcon icon(const QString &symbol, const QColor &colour, int size = 20);

} // namespace Icon
