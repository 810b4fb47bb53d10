// SPDX-License-Identifier: GPL-3.0-or-later
#include "DashboardView.h"

#include "AssistantCard.h"
#include "BalanceCard.h"
#include "BudgetSummaryView.h"
#include "ui/Buttons.h"
#include "ui/Card.h"
#include "ui/EntryRow.h"
#include "ui/Palette.h"
#include "ui/ScrollPage.h"
#include "ui/Spacing.h"
#include "ui/Typography.h"
#include "ui/WorkspaceHeader.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

DashboardView::DashboardView(ModelStore &store, DailyTotals &totals, QWidget *parent)
    : QWidget(parent), m_model(store, totals)
{
    const ScrollPage::Column page = ScrollPage::centredColumn(
        this, Spacing::pageMargin, Spacing::overviewPageWidth, Spacing::sectionSpacing);
    QWidget *content = page.content;
    QVBoxLayout *column = page.layout;

    auto *header = new WorkspaceHeader(u"概览"_s, u"清楚掌握每一笔钱的去向"_s, content);
    m_smartEntry = Buttons::bordered(u"大白话记账"_s, u"text.bubble.fill"_s, header);
    connect(m_smartEntry, &QPushButton::clicked, this, &DashboardView::smartEntryRequested);
    header->addAction(m_smartEntry);
    m_add = Buttons::prominent(u"记一笔"_s, u"plus"_s, header);
    connect(m_add, &QPushButton::clicked, this, &DashboardView::addRequested);
    header->addAction(m_add);
    column->addWidget(header);

    auto *top = new QHBoxLayout;
    top->setSpacing(Spacing::sectionSpacing);
    m_balance = new BalanceCard(content);
    top->addWidget(m_balance, 1);
    m_assistant = new AssistantCard(content);
    top->addWidget(m_assistant);
    column->addLayout(top);

    auto *bottom = new QHBoxLayout;
    bottom->setSpacing(Spacing::sectionSpacing);
    m_budgetSummary = new BudgetSummaryView(content);
    connect(m_budgetSummary, &BudgetSummaryView::manageRequested, this,
            &DashboardView::manageBudgetsRequested);
    bottom->addWidget(m_budgetSummary, 1);
    bottom->addWidget(buildRecentCard(content), 1);
    column->addLayout(bottom);
    column->addStretch(1);

    connect(&m_model, &DashboardModel::changed, this, &DashboardView::refresh);
    refresh();
}

QWidget *DashboardView::buildRecentCard(QWidget *parent)
{
    auto *card = new Card(parent);
    card->setRadius(18);
    card->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *column = new QVBoxLayout(card);
    column->setSpacing(12);
    card->setPadding(20);

    auto *header = new QHBoxLayout;
    auto *heading = new QLabel(u"最近账单"_s, card);
    Typography::makeHeadline(heading);
    header->addWidget(heading);
    header->addStretch(1);
    auto *count = Typography::secondaryLabel(u"近 5 笔"_s, card);
    QFont font = count->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    count->setFont(font);
    header->addWidget(count);
    column->addLayout(header);

    m_recentLayout = new QVBoxLayout;
    m_recentLayout->setSpacing(4);
    column->addLayout(m_recentLayout);
    column->addStretch(1);
    return card;
}

void DashboardView::refresh()
{
    m_balance->setFigures(m_model.periodTitle(), m_model.balanceCaption(), m_model.balance(),
                          m_model.budget(), m_model.income(), m_model.expense());
    m_assistant->setFigures(m_model.expense(), m_model.budget(), m_model.isCustomPeriod());
    m_budgetSummary->setRows(m_model.budgetRows());

    for (EntryRow *row : m_recentRows)
        delete row;
    m_recentRows.clear();
    for (const LedgerEntry &entry : m_model.recentEntries()) {
        auto *row = new EntryRow(entry, m_recentLayout->parentWidget());
        m_recentLayout->addWidget(row);
        m_recentRows.push_back(row);
    }
}
