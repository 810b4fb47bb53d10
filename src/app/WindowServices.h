// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DesktopActivation.h"
#include "LedgerBusService.h"
#include "OccurrenceCatchUp.h"
#include "reminder/BudgetWatch.h"

#include <QDBusConnection>
#include <QObject>

class ContentView;
class ModelStore;

// What runs beside the window for as long as it holds the store: its two faces on the session
// bus (the store's service for the command line, the launcher entry's for the desktop), the
// recurring catch-up with its undo step, and the budget notices.
class WindowServices final : public QObject {
    Q_OBJECT

public:
    WindowServices(ModelStore &store, ContentView &window, const QDBusConnection &bus,
                   QObject *parent = nullptr);

    // Takes the names on the bus; a bus that refuses them leaves the window working without.
    void publish();
    // The first catch-up, once the event loop runs, and its timer; the window's indexes made
    // ready after its first paint.
    void start();

    OccurrenceCatchUp &catchUp() { return m_catchUp; }

private:
    ContentView &m_window;
    QDBusConnection m_bus;
    LedgerBusService m_ledger;
    DesktopActivation m_desktop;
    // Made before the catch-up writes anything, so that its entries are weighed too.
    BudgetWatch m_budgets;
    OccurrenceCatchUp m_catchUp;
};
