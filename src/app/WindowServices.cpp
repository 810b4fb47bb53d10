// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowServices.h"

#include "ContentView.h"
#include "UndoHistory.h"
#include "reminder/ReminderNotifier.h"

WindowServices::WindowServices(ModelStore &store, ContentView &window, const QDBusConnection &bus,
                               QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_bus(bus)
    , m_ledger(store)
    // The window must not stall on a slow notification service, so the notice is not waited for.
    , m_budgets(store, [bus](const ReminderRequest &notice) { ReminderNotifier::send(bus, notice); })
    , m_catchUp(store)
{
    connect(&m_ledger, &LedgerBusService::addFormRequested, &window, &ContentView::showAddForm);
    connect(&m_ledger, &LedgerBusService::catchUpRequested, &m_catchUp, &OccurrenceCatchUp::writeDue);
    connect(&m_desktop, &DesktopActivation::activated, &window, &ContentView::present);
    connect(&m_desktop, &DesktopActivation::addFormRequested, &window, &ContentView::showAddForm);
    connect(&m_catchUp, &OccurrenceCatchUp::caughtUp, &window.undoHistory(), &UndoHistory::recordCatchUp);
}

void WindowServices::start()
{
    m_catchUp.start();
    m_window.indexes().prepareAfterFirstPaint(m_window);
}

void WindowServices::publish()
{
    m_ledger.publish(m_bus);
    m_desktop.publish(m_bus);
}
