// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmptyState.h"

#include "Icon.h"
#include "Palette.h"
#include "Typography.h"

#include <QLabel>
#include <QVBoxLayout>

EmptyState::EmptyState(const QString &symbol, const QString &title, const QString &description,
                       QWidget *parent)
    : QWidget(parent), m_title(new QLabel(title, this)), m_description(new QLabel(description, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(8);
    layout->addStretch(1);

    auto *icon = new QLabel(this);
    icon->setPixmap(Icon::pixmap(symbol, Palette::secondaryText(), 44, devicePixelRatioF()));
    icon->setAlignment(Qt::AlignCenter);
    icon->setAccessibleName(title);
    layout->addWidget(icon);

    QFont titleFont = m_title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.35);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);

    m_description->setAlignment(Qt::AlignCenter);
    m_description->setWordWrap(true);
    Typography::makeSecondary(m_description);
    layout->addWidget(m_description);
    layout->addStretch(1);
}

QString EmptyState::title() const
{
    return m_title->text();
}

QString EmptyState::description() const
{
    return m_description->text();
}
