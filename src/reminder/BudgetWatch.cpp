// SPDX-License-Identifier: GPL-3.0-or-later
#include "BudgetWatch.h"

#include "ReminderNotifier.h"
#include "model/Clock.h"
#include "store/ModelStore.h"

#include <cstdio>

BudgetWatch::BudgetWatch(ModelStore &store, BudgetNotices::Send send, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_notices(BudgetNotices::userSettings(), std::move(send))
    , m_levels(BudgetNotices::levels(store, Clock::now()))
{
    connect(&m_store, &ModelStore::entriesChanged, this, &BudgetWatch::look);
    connect(&m_store, &ModelStore::budgetsChanged, this,
            [this] { m_levels = BudgetNotices::levels(m_store, Clock::now()); });
}

void BudgetWatch::look()
{
    const QDateTime now = Clock::now();
    m_notices.notice(m_store, m_levels, now);
    m_levels = BudgetNotices::levels(m_store, now);
}

BudgetNotices::Send BudgetWatch::keepingIn(std::vector<ReminderRequest> &notices)
{
    return [&notices](const ReminderRequest &notice) { notices.push_back(notice); };
}

void BudgetWatch::postAll(const QDBusConnection &bus, const std::vector<ReminderRequest> &notices)
{
    for (const ReminderRequest &notice : notices) {
        QString error;
        if (!ReminderNotifier::post(bus, notice, &error))
            std::fprintf(stderr, "pennyloom: %s\n", error.toLocal8Bit().constData());
    }
}
