// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScreenFactory.h"

#include "ContentModel.h"
#include "StatisticsStack.h"
#include "StoreIndexes.h"
#include "assets/AssetManagementView.h"
#include "bills/BillsView.h"
#include "budget/BudgetView.h"
#include "fixedassets/FixedAssetManagementView.h"
#include "overview/DashboardView.h"
#include "receipt/ReceiptView.h"
#include "recurring/RecurringRulesView.h"
#include "savings/SavingsView.h"
#include "settings/SettingsView.h"
#include "ui/Sheets.h"

#include <QStackedWidget>

using namespace Qt::StringLiterals;

ScreenFactory::ScreenFactory(ModelStore &store, StoreIndexes &indexes, ContentModel &model)
    : m_store(store), m_indexes(indexes), m_model(model)
{
}

QWidget *ScreenFactory::make(Workspace workspace) const
{
    QWidget *screen = makeScreen(workspace);
    screen->setObjectName(u"workspace:"_s + Workspaces::title(workspace));
    return screen;
}

QWidget *ScreenFactory::makeScreen(Workspace workspace) const
{
    switch (workspace) {
    case Workspace::overview:
        return makeOverview();
    case Workspace::bills:
        return makeBills();
    case Workspace::savings:
        return new SavingsView(m_store);
    case Workspace::assets:
        return new AssetManagementView(m_store);
    case Workspace::fixedAssets:
        return new FixedAssetManagementView(m_store);
    case Workspace::statistics:
        return new StatisticsStack(m_store, m_indexes.totals());
    case Workspace::receipt:
        return new ReceiptView(m_store, m_indexes.totals());
    case Workspace::settings:
        return new SettingsView(m_store);
    }
    // Every workspace has its screen (the compiler warns of a missing case); a value outside
    // the enumeration is a programming error.
    Q_UNREACHABLE();
    return nullptr;
}

QWidget *ScreenFactory::makeOverview() const
{
    // The budget workspace has no sidebar row: it opens over the dashboard, inside the
    // overview, and its back button returns to the dashboard.
    auto *stack = new QStackedWidget;
    auto *dashboard = new DashboardView(m_store, m_indexes.totals(), stack);
    stack->addWidget(dashboard);
    ContentModel *model = &m_model;
    ModelStore *store = &m_store;
    QObject::connect(dashboard, &DashboardView::addRequested, dashboard,
                     [model] { model->setShowingAdd(true); });
    QObject::connect(dashboard, &DashboardView::smartEntryRequested, dashboard,
                     [model] { model->setShowingSmartEntry(true); });
    QObject::connect(dashboard, &DashboardView::manageBudgetsRequested, stack, [store, stack, dashboard] {
        auto *budgets = new BudgetView(*store, stack);
        budgets->setObjectName(u"workspace:预算管理"_s);
        stack->addWidget(budgets);
        stack->setCurrentWidget(budgets);
        QObject::connect(budgets, &BudgetView::backRequested, stack, [stack, budgets, dashboard] {
            // Today may have moved on while the budgets were open.
            dashboard->model().recompute();
            stack->setCurrentIndex(0);
            stack->removeWidget(budgets);
            budgets->deleteLater();
        });
    });
    return stack;
}

QWidget *ScreenFactory::makeBills() const
{
    auto *bills = new BillsView(m_store, m_indexes.ledger());
    ContentModel *model = &m_model;
    QObject::connect(bills, &BillsView::addRequested, bills, [model] { model->setShowingAdd(true); });
    QObject::connect(bills, &BillsView::editRequested, bills,
                     [model](const LedgerEntry &entry) { model->setEditingEntry(entry); });
    ModelStore *store = &m_store;
    QObject::connect(bills, &BillsView::recurringRequested, bills, [store, bills] {
        // One sheet of rules at a time; a closed one only waits for its deletion.
        for (const RecurringRulesView *open :
             bills->findChildren<RecurringRulesView *>(Qt::FindDirectChildrenOnly)) {
            if (open->isVisible())
                return;
        }
        Sheets::open(new RecurringRulesView(*store, bills), {});
    });
    return bills;
}
