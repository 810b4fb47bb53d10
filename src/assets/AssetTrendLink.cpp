// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetTrendLink.h"

#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 18;
constexpr int circle = 42;

QString title()
{
    return u"月度资产走势"_s;
}

QString subtitle()
{
    return u"查看近 6 个月资产余额变化"_s;
}

} // namespace

AssetTrendLink::AssetTrendLink(QWidget *parent) : QAbstractButton(parent)
{
    setText(title());
    setAccessibleName(title());
    setAccessibleDescription(subtitle());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize AssetTrendLink::sizeHint() const
{
    return {360, circle + 2 * padding};
}

void AssetTrendLink::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void AssetTrendLink::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void AssetTrendLink::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 18, 18);
    painter.fillPath(card, m_hovered || isDown() ? Palette::hoverFill() : Palette::controlBackground());
    painter.setPen(QPen(hasFocus() ? Palette::withAlpha(Palette::indigo(), 0.5) : Palette::border(), 1));
    painter.drawPath(card);

    const QRect disc(padding, (height() - circle) / 2, circle, circle);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::withAlpha(Palette::indigo(), 0.12));
    painter.drawEllipse(disc);
    painter.drawPixmap(
        disc.left() + 10, disc.top() + 10,
        Icon::pixmap(u"chart.line.uptrend.xyaxis"_s, Palette::indigo(), 22, devicePixelRatioF()));

    const int chevron = 18;
    painter.drawPixmap(
        width() - padding - chevron, (height() - chevron) / 2,
        Icon::pixmap(u"chevron.right"_s, Palette::tertiaryText(), chevron, devicePixelRatioF()));

    const QRect texts(disc.right() + 14, padding, width() - disc.right() - 14 - padding - chevron - 8,
                      circle);
    const QFont headline = Fonts::scaled(font(), 1.15, QFont::Bold);
    const QFont caption = Fonts::caption(font());
    painter.setFont(headline);
    painter.setPen(Palette::primaryText());
    painter.drawText(texts.adjusted(0, 0, 0, -circle / 2), Qt::AlignLeft | Qt::AlignBottom, title());
    painter.setFont(caption);
    painter.setPen(Palette::secondaryText());
    painter.drawText(texts.adjusted(0, circle / 2 + 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, subtitle());
}
