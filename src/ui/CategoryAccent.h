// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QString>

// Each category keeps one accent colour wherever it is shown: the sum of the Unicode scalar
// values of its name, modulo 7, picks from indigo, pink, orange, teal, purple, blue, green.
namespace CategoryAccent {

int paletteIndex(const QString &category);
QColor colour(const QString &category);

} // namespace CategoryAccent
