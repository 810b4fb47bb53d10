// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetProgressRow.h"

#include "model/LedgerCategories.h"
#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"
#include "ui/UsageBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

BudgetProgressRow::BudgetProgressRow(const Budget &item, const BudgetRowFigures &figures, bool historical,
                                     QWidget *parent)
    : QWidget(parent)
    , m_item(item)
    , m_historical(historical)
    , m_figures(figures)
    , m_category(new QLabel(item.category, this))
    , m_percent(new QLabel(m_figures.percentText(), this))
    , m_remaining(new QLabel(m_figures.remainingText(), this))
    , m_usage(new QLabel(m_figures.usageText(), this))
    , m_bar(new UsageBar(this))
{
    setAccessibleName(item.category);
    setAccessibleDescription(m_figures.percentText() + u"，"_s + m_figures.remainingText() + u"，"_s +
                             m_figures.usageText());

    auto *column = new QVBoxLayout(this);
    const int margin = verticalMargin(historical);
    column->setContentsMargins(0, margin, 0, margin);
    column->setSpacing(6);

    auto *line = new QHBoxLayout;
    line->setSpacing(6);
    auto *icon = new QLabel(this);
    icon->setPixmap(
        Icon::pixmap(LedgerCategories::icon(item.category), Palette::indigo(), 18, devicePixelRatioF()));
    icon->setAccessibleName(item.category);
    line->addWidget(icon, 0, Qt::AlignVCenter);
    line->addWidget(m_category, 0, Qt::AlignVCenter);
    line->addStretch(1);
    m_percent->setFont(Fonts::caption(font(), QFont::DemiBold));
    Typography::setTextColour(m_percent, Palette::tone(m_figures.percentTone()));
    line->addWidget(m_percent, 0, Qt::AlignVCenter);
    line->addSpacing(8);
    Typography::setTextColour(m_remaining, Palette::tone(m_figures.remainingTone()));
    line->addWidget(m_remaining, 0, Qt::AlignVCenter);
    column->addLayout(line);

    m_bar->setFraction(m_figures.barValue());
    m_bar->setTint(Palette::tone(m_figures.barTone()));
    m_bar->setAccessibleName(item.category + u" 预算进度"_s);
    column->addWidget(m_bar);

    m_usage->setFont(Fonts::caption(font(), QFont::Normal));
    Typography::setTextColour(m_usage, Palette::secondaryText());
    column->addWidget(m_usage);
}
