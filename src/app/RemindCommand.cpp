// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemindCommand.h"

#include "LedgerBusService.h"
#include "model/Clock.h"
#include "model/ProgramLocale.h"
#include "reminder/BudgetWatch.h"
#include "reminder/ReminderManager.h"
#include "reminder/ReminderNotifier.h"
#include "reminder/SessionBus.h"
#include "store/DataFolder.h"
#include "store/ModelStore.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cstdio>

using namespace Qt::StringLiterals;

QString RemindCommand::catchUp(const QString &storePath, const QDBusConnection &bus)
{
    // No store, no rules: nothing is made just to be looked at.
    if (!QFileInfo::exists(storePath))
        return {};
    QDBusMessage reply;
    QString error;
    switch (LedgerBusService::callWindow(bus, storePath, u"CatchUp"_s, {}, 20000, &reply, &error)) {
    case LedgerBusService::CallEnd::answered:
        return {};
    case LedgerBusService::CallEnd::refused:
        return error;
    case LedgerBusService::CallEnd::unanswered:
        return u"Pennyloom 窗口没有在限定时间内应答，周期账单由窗口稍后补记。"_s;
    case LedgerBusService::CallEnd::unreachable:
        break;
    }
    std::vector<ReminderRequest> notices;
    {
        QLockFile lock(storePath + u".lock"_s);
        if (!DataFolder::tryLock(lock, 5000))
            return u"数据文件 %1 正被使用，周期账单没有补记。"_s.arg(QDir::toNativeSeparators(storePath));
        std::unique_ptr<ModelStore> store = ModelStore::open(storePath, &error);
        if (!store)
            return error;
        BudgetWatch budgets(*store, BudgetWatch::keepingIn(notices));
        if (!store->writeDueOccurrences(Clock::now()))
            return u"数据文件 %1 写入失败，周期账单没有补记。"_s.arg(QDir::toNativeSeparators(storePath));
    }
    BudgetWatch::postAll(bus, notices);
    return {};
}

int RemindCommand::run(int &argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(u"Pennyloom"_s);
    QCoreApplication::setApplicationName(u"Pennyloom"_s);
    // Amounts in the budget notices read in yuan, even from the timer's bare environment.
    ProgramLocale::applyWhenUnset();
    // A timer run that hangs on a wedged bus would hold every later day's reminder back.
    const QString wedged = SessionBus::guard(std::chrono::seconds(3));
    const QDBusConnection bus = QDBusConnection::sessionBus();
    // Written first, so that the entries are there when the reminder's 记一笔 opens the window.
    if (const QString error = catchUp(ModelStore::defaultPath(), bus); !error.isEmpty())
        std::fprintf(stderr, "pennyloom: %s\n", error.toLocal8Bit().constData());
    if (!wedged.isEmpty()) {
        std::fprintf(stderr, "pennyloom: 无法连接会话总线：%s，提醒没有发出。\n",
                     wedged.toLocal8Bit().constData());
        return 1;
    }
    QString error;
    if (ReminderNotifier::post(bus, ReminderManager::dailyPrompt(), &error,
                               ReminderNotifier::addEntryActions()))
        return 0;
    std::fprintf(stderr, "pennyloom: %s\n", error.toLocal8Bit().constData());
    return 1;
}
