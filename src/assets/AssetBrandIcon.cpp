// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetBrandIcon.h"

#include "AssetBrand.h"
#include "AssetBrandArtwork.h"
#include "ui/Icon.h"
#include "ui/Palette.h"

#include <QPainter>
#include <QPainterPath>

AssetBrandIcon::AssetBrandIcon(const QString &kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    setFixedSize(badgeSize());
    setToolTip(AssetBrand::helpText(kind));
    setAccessibleName(AssetBrand::helpText(kind));
}

void AssetBrandIcon::paint(QPainter &painter, const QRect &rect, const QString &kind)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const AssetBrand brand = AssetBrand::forKind(kind);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QPainterPath tile;
    // A missing image would fall back to the symbol; every image the rules name is drawn here.
    if (brand.form == AssetBrand::Form::image && AssetBrandArtwork::has(brand.name)) {
        tile.addRoundedRect(QRectF(rect), 6, 6);
        painter.fillPath(tile, Palette::controlBackground());
        painter.setPen(QPen(Palette::border(), 1));
        painter.drawPath(tile);
        const QRect inner = rect.adjusted(2, 2, -2, -2);
        painter.drawPixmap(inner.topLeft(), AssetBrandArtwork::image(brand.name, inner.size(), ratio));
    } else {
        tile.addRoundedRect(QRectF(rect), 7, 7);
        painter.fillPath(tile, Palette::indigo());
        const QString symbol =
            brand.form == AssetBrand::Form::symbol ? brand.name : AssetBrand::forKind(QString()).name;
        const int side = qMin(rect.height() - 8, 18);
        painter.drawPixmap(rect.center().x() - side / 2 + 1, rect.center().y() - side / 2 + 1,
                           Icon::pixmap(symbol, Palette::onAccent(), side, ratio));
    }
    painter.restore();
}

void AssetBrandIcon::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, rect(), m_kind);
}
