#include "Palette.h"

QColor Palette::indigo()
{
    return QColor(0x58, 0x56, 0xd6);
}
QColor Palette::accentStrong()
{
    return QColor(0x3b, 0x39, 0xb5);
}
QColor Palette::onAccent()
{
    return QColor(0xff, 0xff, 0xff);
}
QColor Palette::blue()
{
    return QColor(0x2f, 0x7d, 0xf6);
}

QColor Palette::expense()
{
    return indigo();
}
QColor Palette::income()
{
    return QColor(0x2f, 0xa8, 0x4f);
}
QColor Palette::warning()
{
    return QColor(0xf0, 0x8c, 0x1a);
}
QColor Palette::over()
{
    return QColor(0xe0, 0x3b, 0x3b);
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
    return QColor(0x1d, 0x1d, 0x22);
}
QColor Palette::secondaryText()
{
    return QColor(0x6e, 0x6e, 0x76);
}
QColor Palette::tertiaryText()
{
    return QColor(0xa8, 0xa8, 0xb8);
}

QColor Palette::windowBackground()
{
    return QColor(0xf4, 0xf4, 0xf7);
}
QColor Palette::sidebarBackground()
{
    return QColor(0xec, 0xec, 0xf2);
}
QColor Palette::controlBackground()
{
    return QColor(0xff, 0xff, 0xff);
}
QColor Palette::alternateBackground()
{
    return QColor(0xf7, 0xf7, 0xfa);
}
QColor Palette::hoverFill()
{
    return QColor(0xf1, 0xf1, 0xf8);
}
QColor Palette::faintFill()
{
    return QColor(0x00, 0x00, 0x00, 0x0d);
}
QColor Palette::border()
{
    return QColor(0x80, 0x80, 0x80, 0x29);
}
QColor Palette::separator()
{
    return QColor(0x3c, 0x3c, 0x43, 0x1f);
}
QColor Palette::controlBorder()
{
    return QColor(0xc9, 0xc9, 0xd6);
}
QColor Palette::outline()
{
    return QColor(0xa0, 0xa0, 0xa4, 0x29);
}
QColor Palette::disabledFill()
{
    return QColor(0xc5, 0xc5, 0xd6);
}
QColor Palette::disabledText()
{
    return QColor(0xa8, 0xa8, 0xb8);
}

const std::array<QColor, 7> &Palette::accentCycle()
{
    static const std::array<QColor, 7> accents{
        indigo(),
        QColor(0xe8, 0x4a, 0x8a), // pink
        warning(),
        QColor(0x1f, 0xa5, 0xa8), // teal
        QColor(0x9b, 0x4d, 0xd6), // purple
        QColor(0x2f, 0x7c, 0xf6), // blue
        income(),
    };
    return accents;
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
