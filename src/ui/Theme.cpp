#include "Theme.h"

#include "Icon.h"
#include "Palette.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

void Theme::apply()
{
    QApplication::setStyle(QStyleFactory::create(u"Fusion"_s));

    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Window, Palette::windowBackground());
    palette.setColor(QPalette::Base, Palette::controlBackground());
    palette.setColor(QPalette::AlternateBase, Palette::alternateBackground());
    palette.setColor(QPalette::Highlight, Palette::indigo());
    palette.setColor(QPalette::HighlightedText, Palette::onAccent());
    palette.setColor(QPalette::Link, Palette::indigo());
    palette.setColor(QPalette::PlaceholderText, Palette::secondaryText());
    palette.setColor(QPalette::Disabled, QPalette::Highlight, Palette::disabledFill());
    QApplication::setPalette(palette);

    QFont font(u"Noto Sans CJK SC"_s);
    font.setPointSizeF(10.5);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);

    Icon::ensureFontLoaded();
}
