// SPDX-License-Identifier: GPL-3.0-or-later
#include "Buttons.h"

#include "Icon.h"
#include "Palette.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

QPushButton *make(const QString &text, const QString &symbol, const QColor &iconColour, const QString &style,
                  QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setAccessibleName(text);
    button->setCursor(Qt::PointingHandCursor);
    if (!symbol.isEmpty()) {
        button->setIcon(Icon::icon(symbol, iconColour, 18));
        button->setIconSize(QSize(16, 16));
    }
    button->setStyleSheet(style);
    return button;
}

} // namespace

QPushButton *Buttons::prominent(const QString &text, const QString &symbol, QWidget *parent)
{
    return make(text, symbol, Palette::onAccent(),
                u"QPushButton { background: %1; color: %4; border: none; border-radius: 8px;"
                " padding: 7px 16px; font-weight: 600; }"
                "QPushButton:hover { background: %2; }"
                "QPushButton:pressed { background: %3; }"
                "QPushButton:disabled { background: %5; color: %6; }"_s.arg(
                    Palette::css(Palette::indigo()), Palette::css(Palette::indigo().lighter(110)),
                    Palette::css(Palette::indigo().darker(115)), Palette::css(Palette::onAccent()),
                    Palette::css(Palette::disabledFill()), Palette::css(Palette::windowBackground())),
                parent);
}

QPushButton *Buttons::bordered(const QString &text, const QString &symbol, QWidget *parent)
{
    return make(text, symbol, Palette::indigo(),
                u"QPushButton { background: %2; color: %1; border: 1px solid %3; border-radius: 8px;"
                " padding: 7px 14px; }"
                "QPushButton:hover { background: %4; }"
                "QPushButton:disabled { color: %5; }"_s.arg(
                    Palette::css(Palette::indigo()), Palette::css(Palette::controlBackground()),
                    Palette::css(Palette::controlBorder()), Palette::css(Palette::hoverFill()),
                    Palette::css(Palette::disabledText())),
                parent);
}
