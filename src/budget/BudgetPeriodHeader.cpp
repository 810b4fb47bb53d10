// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetPeriodHeader.h"

#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

BudgetPeriodHeader::BudgetPeriodHeader(const QString &title, const BudgetHeaderFigures &figures,
                                       QWidget *parent)
    : QWidget(parent)
    , m_figures(figures)
    , m_title(new QLabel(title, this))
    , m_usage(new QLabel(m_figures.usageText(), this))
    , m_delete(new QToolButton(this))
{
    setAccessibleName(title);

    auto *line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(10);

    // Subheadline, semibold, exactly as written.
    m_title->setFont(Fonts::scaled(font(), 0.95, QFont::DemiBold));
    m_title->setTextFormat(Qt::PlainText);
    line->addWidget(m_title, 0, Qt::AlignTop);
    line->addStretch(1);

    auto *summary = new QVBoxLayout;
    summary->setSpacing(2);
    auto *caption = new QLabel(u"预算使用汇总"_s, this);
    caption->setFont(Fonts::scaled(font(), 0.78, QFont::Normal));
    Typography::setTextColour(caption, Palette::secondaryText());
    summary->addWidget(caption, 0, Qt::AlignRight);
    m_usage->setFont(Fonts::scaled(font(), 0.88, QFont::Medium));
    Typography::setTextColour(m_usage, Palette::tone(m_figures.tone()));
    summary->addWidget(m_usage, 0, Qt::AlignRight);
    line->addLayout(summary);

    m_delete->setAutoRaise(true);
    m_delete->setIcon(Icon::icon(u"trash"_s, Palette::over(), 18));
    m_delete->setIconSize(QSize(18, 18));
    m_delete->setAccessibleName(u"删除周期"_s);
    m_delete->setToolTip(u"删除这个预算周期"_s);
    m_delete->setCursor(Qt::PointingHandCursor);
    m_delete->setStyleSheet(u"QToolButton { border: none; padding: 2px; }"
                            "QToolButton:hover { background: %1; border-radius: 6px; }"_s.arg(
                                Palette::css(Palette::withAlpha(Palette::over(), 0.12))));
    line->addWidget(m_delete, 0, Qt::AlignTop);

    connect(m_delete, &QToolButton::clicked, this, &BudgetPeriodHeader::deleteRequested);
}

QString BudgetPeriodHeader::title() const
{
    return m_title->text();
}
