// SPDX-License-Identifier: GPL-3.0-or-later
#include "Palette.h"

namespace {

bool dark = false;

// Each role's colour in the light and in the dark scheme.
QColor pick(QColor light, QColor inDark)
{
    return dark ? inDark : light;
}

} // namespace

void Palette::setDark(bool on)
{
    dark = on;
}

QColor Palette::indigo()
{
    return pick(QColor(0x58, 0x56, 0xd6), QColor(0x7d, 0x7a, 0xff));
}
QColor Palette::accentStrong()
{
    return pick(QColor(0x3b, 0x39, 0xb5), QColor(0xb4, 0xb2, 0xff));
}
QColor Palette::onAccent()
{
    return QColor(0xff, 0xff, 0xff);
}
QColor Palette::blue()
{
    return pick(QColor(0x2f, 0x7d, 0xf6), QColor(0x3a, 0x7f, 0xe8));
}

QColor Palette::expense()
{
    return indigo();
}
QColor Palette::income()
{
    return pick(QColor(0x27, 0x9a, 0x44), QColor(0x4c, 0xd9, 0x6f));
}
QColor Palette::warning()
{
    return pick(QColor(0xf0, 0x8c, 0x1a), QColor(0xff, 0xa7, 0x3d));
}
QColor Palette::over()
{
    return pick(QColor(0xe0, 0x3b, 0x3b), QColor(0xff, 0x6b, 0x66));
}

QColor Palette::tone(BudgetTone tone)
{
    switch (tone) {
    case BudgetTone::indigo:
        return indigo();
    case BudgetTone::orange:
        return warning();
    case BudgetTone::red:
        return over();
    case BudgetTone::secondary:
        break;
    }
    return secondaryText();
}

QColor Palette::primaryText()
{
    return pick(QColor(0x1d, 0x1d, 0x22), QColor(0xf2, 0xf2, 0xf7));
}
QColor Palette::secondaryText()
{
    return pick(QColor(0x68, 0x68, 0x6f), QColor(0xa9, 0xa9, 0xb3));
}
QColor Palette::tertiaryText()
{
    return pick(QColor(0x9e, 0x9e, 0xae), QColor(0x7a, 0x7a, 0x86));
}

QColor Palette::windowBackground()
{
    return pick(QColor(0xf4, 0xf4, 0xf7), QColor(0x1c, 0x1c, 0x21));
}
QColor Palette::sidebarBackground()
{
    return pick(QColor(0xec, 0xec, 0xf2), QColor(0x25, 0x25, 0x2c));
}
QColor Palette::controlBackground()
{
    return pick(QColor(0xff, 0xff, 0xff), QColor(0x2c, 0x2c, 0x33));
}
QColor Palette::alternateBackground()
{
    return pick(QColor(0xf7, 0xf7, 0xfa), QColor(0x32, 0x32, 0x3a));
}
QColor Palette::hoverFill()
{
    return pick(QColor(0xf1, 0xf1, 0xf8), QColor(0x38, 0x38, 0x42));
}
QColor Palette::faintFill()
{
    return pick(QColor(0x00, 0x00, 0x00, 0x0d), QColor(0xff, 0xff, 0xff, 0x12));
}
QColor Palette::border()
{
    return pick(QColor(0x80, 0x80, 0x80, 0x29), QColor(0xff, 0xff, 0xff, 0x1f));
}
QColor Palette::separator()
{
    return pick(QColor(0x3c, 0x3c, 0x43, 0x1f), QColor(0xff, 0xff, 0xff, 0x1c));
}
QColor Palette::controlBorder()
{
    return pick(QColor(0xc9, 0xc9, 0xd6), QColor(0x4a, 0x4a, 0x56));
}
QColor Palette::outline()
{
    return pick(QColor(0xa0, 0xa0, 0xa4, 0x29), QColor(0xff, 0xff, 0xff, 0x24));
}
QColor Palette::disabledFill()
{
    return pick(QColor(0xc5, 0xc5, 0xd6), QColor(0x45, 0x45, 0x52));
}
QColor Palette::disabledText()
{
    return pick(QColor(0xa8, 0xa8, 0xb8), QColor(0x6c, 0x6c, 0x78));
}

const std::array<QColor, 7> &Palette::accentCycle()
{
    static const std::array<QColor, 7> light{
        QColor(0x58, 0x56, 0xd6), // indigo
        QColor(0xe8, 0x4a, 0x8a), // pink
        QColor(0xf0, 0x8c, 0x1a), // orange
        QColor(0x1f, 0xa5, 0xa8), // teal
        QColor(0x9b, 0x4d, 0xd6), // purple
        QColor(0x2f, 0x7c, 0xf6), // blue
        QColor(0x2f, 0xa8, 0x4f), // green
    };
    static const std::array<QColor, 7> inDark{
        QColor(0x7d, 0x7a, 0xff), QColor(0xff, 0x6b, 0xa6), QColor(0xff, 0xa7, 0x3d),
        QColor(0x3f, 0xd0, 0xd3), QColor(0xbf, 0x7a, 0xf0), QColor(0x5a, 0x9c, 0xff),
        QColor(0x4c, 0xd9, 0x6f),
    };
    return dark ? inDark : light;
}

const std::array<QColor, 12> &Palette::chartHues()
{
    // Twelve hues at the lightness a card allows: darker ones on the light card, lighter ones
    // on the dark card, spread over lightness as well as hue where hues run short.
    static const std::array<QColor, 12> light{
        QColor(0x58, 0x56, 0xd6), // indigo
        QColor(0xe0, 0x70, 0x00), // orange
        QColor(0x0f, 0x9a, 0x9c), // teal
        QColor(0xd6, 0x33, 0x7a), // pink
        QColor(0x2e, 0x9a, 0x47), // green
        QColor(0x1f, 0x77, 0xd0), // blue
        QColor(0xa1, 0x3b, 0xb0), // purple
        QColor(0x8a, 0x5a, 0x2b), // brown
        QColor(0xd1, 0x3c, 0x3c), // red
        QColor(0x7f, 0x8c, 0x00), // olive
        QColor(0x00, 0x69, 0x5c), // pine
        QColor(0x73, 0x73, 0x80), // slate
    };
    static const std::array<QColor, 12> inDark{
        QColor(0x7d, 0x7a, 0xff), QColor(0xff, 0xa0, 0x3d), QColor(0x3f, 0xd0, 0xd3),
        QColor(0xff, 0x6b, 0xa6), QColor(0x4c, 0xd9, 0x6f), QColor(0x4a, 0xa3, 0xff),
        QColor(0xd7, 0x7f, 0xe6), QColor(0xb0, 0x88, 0x66), QColor(0xff, 0x5c, 0x5c),
        QColor(0xc9, 0xd1, 0x3a), QColor(0x2e, 0x9e, 0x86), QColor(0xa3, 0xa3, 0xb0),
    };
    return dark ? inDark : light;
}

QString Palette::css(const QColor &colour)
{
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(colour.red())
        .arg(colour.green())
        .arg(colour.blue())
        .arg(colour.alphaF(), 0, 'f', 3);
}

QColor Palette::brandTile(const QString &imageName)
{
    struct Tile {
        const char16_t *name;
        QRgb colour;
    };
    static constexpr Tile tiles[] = {
        {u"ABCLogo", 0x0f9b82},         {u"ICBCLogo", 0xc8161d},   {u"BOCLogo", 0xa71e32},
        {u"CCBLogo", 0x0a5ea8},         {u"BOCOMLogo", 0x1b2f7a},  {u"CMBLogo", 0xd1202e},
        {u"PSBCLogo", 0x00794c},        {u"PingAnLogo", 0xea5a1f}, {u"SPDLogo", 0x123c82},
        {u"WeChatLogo", 0x1aad53},      {u"AlipayLogo", 0x1677ff}, {u"XiaohebaoLogo", 0x12a3c9},
        {u"TonghuashunLogo", 0xd9342b},
    };
    for (const Tile &tile : tiles) {
        if (imageName == QStringView(tile.name))
            return QColor::fromRgb(tile.colour);
    }
    return indigo();
}

QColor Palette::paperShadow()
{
    return QColor(0x00, 0x00, 0x00, 0x29);
}

QColor Palette::withAlpha(QColor colour, qreal opacity)
{
    colour.setAlphaF(static_cast<float>(opacity));
    return colour;
}
