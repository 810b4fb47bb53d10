// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BudgetNotices.h"

#include <QDBusConnection>
#include <QObject>

#include <vector>

class ModelStore;

// Watches one open store for entries that take a current budget row past 80 % or 100 % and
// hands the notice to BudgetNotices. Whatever writes through the store is covered: the forms,
// the bus, an import, the recurring catch-up, and the command line's own writes when it opens
// the store itself. A change of the budgets is only taken as the new standing, never noticed.
class BudgetWatch final : public QObject {
    Q_OBJECT

public:
    BudgetWatch(ModelStore &store, BudgetNotices::Send send, QObject *parent = nullptr);

    // For a process that writes the file itself: the notices are kept until it has let go of
    // the data folder's lock, since a slow notification service must not hold the lock, and
    // then posted, each waited for because the process exits soon after. A notice no service
    // took is said on stderr and nothing more.
    static BudgetNotices::Send keepingIn(std::vector<ReminderRequest> &notices);
    static void postAll(const QDBusConnection &bus, const std::vector<ReminderRequest> &notices);

private:
    void look();

    ModelStore &m_store;
    BudgetNotices m_notices;
    BudgetNotices::Levels m_levels;
};
