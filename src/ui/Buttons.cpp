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
    const QString indigo = Palette::indigo().name();
    return make(text, symbol, Qt::white,
                u"QPushButton { background: %1; color: white; border: none; border-radius: 8px;"
                " padding: 7px 16px; font-weight: 600; }"
                "QPushButton:hover { background: %2; }"
                "QPushButton:pressed { background: %3; }"
                "QPushButton:disabled { background: #c5c5d6; color: #f4f4f8; }"_s.arg(
                    indigo, Palette::indigo().lighter(110).name(), Palette::indigo().darker(115).name()),
                parent);
}

QPushButton *Buttons::bordered(const QString &text, const QString &symbol, QWidget *parent)
{
    return make(text, symbol, Palette::indigo(),
                u"QPushButton { background: white; color: %1; border: 1px solid #d0d0dc; border-radius: 8px;"
                " padding: 7px 14px; }"
                "QPushButton:hover { background: #f1f1f8; }"
                "QPushButton:disabled { color: #a8a8b8; }"_s.arg(Palette::indigo().name()),
                parent);
}
