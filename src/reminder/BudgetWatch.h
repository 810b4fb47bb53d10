// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BudgetNotices.h"

#include <QDBusConnection>
#include <QObject>

class ModelStore;

// Watches one open store for entries that take a current budget row past 80 % or 100 % and
// hands the notice to BudgetNotices. Whatever writes through the store is covered: the forms,
// the bus, an import, the recurring catch-up, and the command line's own writes when it opens
// the store itself. A change of the budgets is only taken as the new standing, never noticed.
class BudgetWatch final : public QObject {
    Q_OBJECT

public:
    BudgetWatch(ModelStore &store, BudgetNotices::Send send, QObject *parent = nullptr);

    // Posts each notice on the bus and waits for the service to take it, for a process that
    // exits soon after writing; a notice no service took is said on stderr and nothing more.
    static BudgetNotices::Send postingTo(const QDBusConnection &bus);

private:
    void look();

    ModelStore &m_store;
    BudgetNotices m_notices;
    BudgetNotices::Levels m_levels;
};
