#include "Palette.h"

QColor Palette::indigo() { return QColor(0x58, 0x56, 0xd6); }
QColor Palette::expense() { return indigo(); }
QColor Palette::income() { return QColor(0x2f, 0xa8, 0x4f); }
QColor Palette::warning() { return QColor(0xf0, 0x8c, 0x1a); }
QColor Palette::over() { return QColor(0xe0, 0x3b, 0x3b); }
QColor Palette::secondaryText() { return QColor(0x6e, 0x6e, 0x76); }
QColor Palette::faintFill() { return QColor(0x00, 0x00, 0x00, 0x0d); }
QColor Palette::controlBackground() { return QColor(0xff, 0xff, 0xff); }
QColor Palette::windowBackground() { return QColor(0xf4, 0xf4, 0xf7); }
QColor Palette::border() { return QColor(0x80, 0x80, 0x80, 0x29); }

QColor Palette::withAlpha(QColor colour, qreal opacity)
{
    colour.setAlphaF(static_cast<float>(opacity));
    return colour;
}
