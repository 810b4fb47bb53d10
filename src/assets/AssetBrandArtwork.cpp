// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetBrandArtwork.h"

#include "ui/Palette.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

using namespace Qt::StringLiterals;

namespace {

struct Brand {
    QString name;
    QString shortName;
};

const QList<Brand> &brands()
{
    static const QList<Brand> list{
        {u"ABCLogo"_s, u"农行"_s},           {u"ICBCLogo"_s, u"工行"_s},
        {u"BOCLogo"_s, u"中行"_s},           {u"CCBLogo"_s, u"建行"_s},
        {u"BOCOMLogo"_s, u"交行"_s},         {u"CMBLogo"_s, u"招行"_s},
        {u"PSBCLogo"_s, u"邮储"_s},          {u"PingAnLogo"_s, u"平安"_s},
        {u"SPDLogo"_s, u"浦发"_s},           {u"WeChatLogo"_s, u"微信"_s},
        {u"AlipayLogo"_s, u"支付宝"_s},      {u"XiaohebaoLogo"_s, u"小荷包"_s},
        {u"TonghuashunLogo"_s, u"同花顺"_s},
    };
    return list;
}

} // namespace

const QStringList &AssetBrandArtwork::names()
{
    static const QStringList list = [] {
        QStringList all;
        for (const Brand &brand : brands())
            all.append(brand.name);
        return all;
    }();
    return list;
}

bool AssetBrandArtwork::has(const QString &imageName)
{
    return names().contains(imageName);
}

QString AssetBrandArtwork::shortName(const QString &imageName)
{
    for (const Brand &brand : brands()) {
        if (brand.name == imageName)
            return brand.shortName;
    }
    return {};
}

QPixmap AssetBrandArtwork::image(const QString &imageName, QSize size, qreal devicePixelRatio)
{
    const QString text = shortName(imageName);
    if (text.isEmpty() || size.isEmpty())
        return {};
    const QString key =
        u"brand:%1:%2x%3@%4"_s.arg(imageName).arg(size.width()).arg(size.height()).arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;

    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tile(0, 0, size.width(), size.height());
    QPainterPath path;
    path.addRoundedRect(tile, 4, 4);
    painter.fillPath(path, Palette::brandTile(imageName));

    // The short name as large as fits, with a little air on each side.
    QFont font;
    font.setBold(true);
    font.setPixelSize(qMax(6, int(tile.height() * 0.62)));
    const qreal room = tile.width() - 4;
    const qreal wide = QFontMetricsF(font).horizontalAdvance(text);
    if (wide > room)
        font.setPixelSize(qMax(6, int(font.pixelSize() * room / wide)));
    painter.setFont(font);
    painter.setPen(Palette::onAccent());
    painter.drawText(tile, Qt::AlignCenter, text);
    painter.end();
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}
