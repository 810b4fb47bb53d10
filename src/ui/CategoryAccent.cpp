// SPDX-License-Identifier: GPL-3.0-or-later
#include "CategoryAccent.h"

#include "Palette.h"

int CategoryAccent::paletteIndex(const QString &category)
{
    quint64 sum = 0;
    for (char32_t scalar : category.toUcs4())
        sum += scalar;
    return static_cast<int>(sum % 7);
}

QColor CategoryAccent::colour(const QString &category)
{
    return Palette::accentCycle()[static_cast<size_t>(paletteIndex(category))];
}
