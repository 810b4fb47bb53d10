// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetSummaryView.h"

#include "ui/Fonts.h"
#include "ui/Icon.h"
#include "ui/Palette.h"
#include "ui/Typography.h"
#include "ui/UsageBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

BudgetSummaryView::BudgetSummaryView(QWidget *parent)
    : Card(parent), m_manage(new QPushButton(u"管理"_s, this)), m_rows(new QVBoxLayout)
{
    setRadius(18);
    auto *column = new QVBoxLayout(this);
    column->setSpacing(12);
    setPadding(20);

    auto *header = new QHBoxLayout;
    auto *heading = new QLabel(u"预算使用情况"_s, this);
    Typography::makeHeadline(heading);
    header->addWidget(heading);
    header->addStretch(1);
    m_manage->setAccessibleName(m_manage->text());
    m_manage->setCursor(Qt::PointingHandCursor);
    m_manage->setFlat(true);
    m_manage->setStyleSheet(
        u"QPushButton { border: none; background: transparent; color: %1; padding: 2px 4px; }"
        "QPushButton:hover { text-decoration: underline; }"_s.arg(Palette::css(Palette::indigo())));
    connect(m_manage, &QPushButton::clicked, this, &BudgetSummaryView::manageRequested);
    header->addWidget(m_manage);
    column->addLayout(header);

    m_empty = Typography::secondaryLabel(u"尚未设置当前周期预算"_s, this);
    m_empty->setAccessibleName(m_empty->text());
    column->addWidget(m_empty);
    m_rows->setSpacing(14);
    column->addLayout(m_rows);
    column->addStretch(1);
}

void BudgetSummaryView::setRows(const std::vector<DashboardModel::BudgetRow> &rows)
{
    for (const ShownRow &shown : m_shown)
        delete shown.widget;
    m_shown.clear();
    for (const DashboardModel::BudgetRow &row : rows) {
        m_shown.push_back(makeRow(row));
        m_rows->addWidget(m_shown.back().widget);
    }
    m_empty->setVisible(rows.empty());
}

BudgetSummaryView::ShownRow BudgetSummaryView::makeRow(const DashboardModel::BudgetRow &row)
{
    auto *widget = new QWidget(this);
    widget->setAccessibleName(row.category + u" "_s + row.percentText + u" "_s + row.amountText);
    auto *column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    auto *line = new QHBoxLayout;
    line->setSpacing(8);
    auto *icon = new QLabel(widget);
    icon->setPixmap(Icon::pixmap(row.symbol, Palette::indigo(), 16, devicePixelRatioF()));
    icon->setFixedSize(18, 18);
    icon->setAlignment(Qt::AlignCenter);
    line->addWidget(icon, 0, Qt::AlignVCenter);
    auto *name = new QLabel(row.category, widget);
    line->addWidget(name);
    line->addStretch(1);
    auto *percent = new QLabel(row.percentText, widget);
    percent->setFont(Fonts::caption(percent->font(), QFont::DemiBold));
    Typography::setTextColour(percent, Palette::tone(row.percentTone));
    line->addWidget(percent);
    auto *amount = Typography::secondaryLabel(row.amountText, widget);
    amount->setFont(Fonts::caption(amount->font()));
    line->addWidget(amount);
    column->addLayout(line);

    auto *bar = new UsageBar(widget);
    bar->setFraction(row.fraction);
    bar->setTint(Palette::tone(row.barTone));
    column->addWidget(bar);
    return {widget, percent, amount, bar};
}
