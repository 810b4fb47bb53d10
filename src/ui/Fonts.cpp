// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

QFont Fonts::scaled(QFont font, qreal factor, QFont::Weight weight)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    font.setWeight(weight);
    return font;
}

QFont Fonts::withWeight(QFont font, QFont::Weight weight)
{
    font.setWeight(weight);
    return font;
}

QFont Fonts::caption(QFont font, QFont::Weight weight)
{
    return scaled(std::move(font), 0.85, weight);
}
