// SPDX-License-Identifier: GPL-3.0-or-later
#include "FixedAssetCardDelegate.h"

#include "FixedAssetListModel.h"
#include "ui/ElidedText.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int padding = 18;
constexpr int lineSpacing = 12;
constexpr int circle = 38;
constexpr int symbolSize = 20;
constexpr int captionSymbol = 14;

QFont headlineFont(const QFont &base)
{
    return Fonts::scaled(base, 1.15, QFont::Bold);
}

QFont valueFont(const QFont &base)
{
    return Fonts::scaled(base, 1.4, QFont::Bold);
}

int firstLineHeight(const QFont &base)
{
    const int texts =
        QFontMetrics(headlineFont(base)).height() + 2 + QFontMetrics(Fonts::caption(base)).height();
    return std::max(circle, texts);
}

} // namespace

QSize FixedAssetCardDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QFont &base = option.font;
    const int height = padding + firstLineHeight(base) + lineSpacing +
                       QFontMetrics(valueFont(base)).height() + lineSpacing +
                       std::max(captionSymbol, QFontMetrics(Fonts::caption(base)).height()) + padding;
    return {minimumWidth, height};
}

void FixedAssetCardDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QFont &base = option.font;
    const QRectF card = QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath outline;
    outline.addRoundedRect(card, radius, radius);
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    painter->fillPath(outline, hovered ? Palette::alternateBackground() : Palette::controlBackground());
    // The grid frames the focused card.
    painter->setPen(QPen(Palette::withAlpha(Palette::border(), 0.12), 1));
    painter->drawPath(outline);

    const QRect inner = option.rect.adjusted(padding, padding, -padding, -padding);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;

    // First line: symbol on its circle, name over category.
    const int firstHeight = firstLineHeight(base);
    const QRect disc(inner.left(), inner.top() + (firstHeight - circle) / 2, circle, circle);
    painter->setPen(Qt::NoPen);
    painter->setBrush(Palette::withAlpha(Palette::indigo(), 0.12));
    painter->drawEllipse(disc);
    const QString symbol = index.data(FixedAssetListModel::IconRole).toString();
    painter->drawPixmap(QRect(disc.center().x() - symbolSize / 2 + 1, disc.center().y() - symbolSize / 2 + 1,
                              symbolSize, symbolSize),
                        Icon::pixmap(symbol, Palette::indigo(), symbolSize, ratio));

    const QFont headline = headlineFont(base);
    const QFont caption = Fonts::caption(base);
    const int textLeft = disc.right() + 13;
    const QFontMetrics headlineMetrics(headline);
    const QFontMetrics captionMetrics(caption);
    const int textsHeight = headlineMetrics.height() + 2 + captionMetrics.height();
    const int textTop = inner.top() + (firstHeight - textsHeight) / 2;
    const int textWidth = inner.right() - textLeft;
    painter->setFont(headline);
    painter->setPen(Palette::primaryText());
    ElidedText::draw(*painter, QRect(textLeft, textTop, textWidth, headlineMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, index.data(FixedAssetListModel::NameRole).toString());
    painter->setFont(caption);
    painter->setPen(Palette::secondaryText());
    ElidedText::draw(
        *painter, QRect(textLeft, textTop + headlineMetrics.height() + 2, textWidth, captionMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter, index.data(FixedAssetListModel::CategoryRole).toString());

    // The value.
    const QFont value = valueFont(base);
    const QFontMetrics valueMetrics(value);
    const int valueTop = inner.top() + firstHeight + lineSpacing;
    painter->setFont(value);
    painter->setPen(Palette::primaryText());
    painter->drawText(QRect(inner.left(), valueTop, inner.width(), valueMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      valueMetrics.elidedText(index.data(FixedAssetListModel::ValueTextRole).toString(),
                                              Qt::ElideRight, inner.width()));

    // Months left, and the useful life at the trailing end.
    const int lastHeight = std::max(captionSymbol, captionMetrics.height());
    const QRect last(inner.left(), valueTop + valueMetrics.height() + lineSpacing, inner.width(), lastHeight);
    painter->drawPixmap(
        QRect(last.left(), last.center().y() - captionSymbol / 2 + 1, captionSymbol, captionSymbol),
        Icon::pixmap(u"clock"_s, Palette::secondaryText(), captionSymbol, ratio));
    painter->setFont(caption);
    painter->setPen(Palette::secondaryText());
    const QString life = index.data(FixedAssetListModel::LifeTextRole).toString();
    const int lifeWidth = captionMetrics.horizontalAdvance(life);
    painter->drawText(last, Qt::AlignRight | Qt::AlignVCenter, life);
    const QRect left = last.adjusted(captionSymbol + 5, 0, -(lifeWidth + 8), 0);
    painter->drawText(
        left, Qt::AlignLeft | Qt::AlignVCenter,
        captionMetrics.elidedText(index.data(FixedAssetListModel::MonthsLeftTextRole).toString(),
                                  Qt::ElideRight, left.width()));
    painter->restore();
}
