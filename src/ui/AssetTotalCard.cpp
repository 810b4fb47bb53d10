// SPDX-License-Identifier: GPL-3.0-or-later
#include "AssetTotalCard.h"

#include "Fonts.h"
#include "Icon.h"
#include "Palette.h"
#include "Typography.h"
#include "model/Money.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int tileSize = 46;
constexpr int symbolSize = 22;

} // namespace

AssetTotalCard::AssetTotalCard(const QString &title, double value, const QString &icon, const QColor &colour,
                               QWidget *parent)
    : Card(parent), m_valueLabel(new QLabel(this))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(20, 20, 20, 20);
    row->setSpacing(14);

    auto *tile = new Card(this);
    tile->setFixedSize(tileSize, tileSize);
    tile->setRadius(12);
    tile->setFill(Palette::withAlpha(colour, 0.12));
    tile->setBorderColour(Qt::transparent);
    auto *symbol = new QLabel(tile);
    symbol->setPixmap(Icon::pixmap(icon, colour, symbolSize, devicePixelRatioF()));
    symbol->setGeometry((tileSize - symbolSize) / 2, (tileSize - symbolSize) / 2, symbolSize, symbolSize);
    row->addWidget(tile, 0, Qt::AlignVCenter);

    auto *texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(Typography::secondaryLabel(title, this));
    m_valueLabel->setFont(Fonts::scaled(font(), 1.55, QFont::Bold));
    texts->addWidget(m_valueLabel);
    row->addLayout(texts, 1);

    setAccessibleName(title);
    setValue(value);
}

void AssetTotalCard::setValue(double value)
{
    m_value = value;
    m_valueLabel->setText(Money::text(value));
    m_valueLabel->setAccessibleName(Money::text(value));
}
