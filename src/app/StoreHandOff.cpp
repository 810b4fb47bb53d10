// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreHandOff.h"

#include "reminder/BudgetWatch.h"
#include "store/DataFolder.h"
#include "store/ModelStore.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

using namespace Qt::StringLiterals;

StoreHandOff::StoreHandOff(QString storePath, QDBusConnection bus)
    : m_storePath(std::move(storePath)), m_bus(bus)
{
}

StoreHandOff::Result StoreHandOff::deliver(std::chrono::milliseconds timeout, const Wording &wording,
                                           const WindowCall &callWindow, const DirectWrite &writeDirectly)
{
    QDeadlineTimer deadline(timeout);
    // The window's own rule for the folder: made 0700 whatever the umask.
    if (const QString error = DataFolder::prepare(QFileInfo(m_storePath).absolutePath()); !error.isEmpty())
        return {Status::notDone, error};
    QLockFile lock(m_storePath + u".lock"_s);
    bool handedOver = false;
    for (;;) {
        QString error;
        const int remaining = int(std::max<qint64>(deadline.remainingTime(), 1000));
        switch (callWindow(remaining, &error)) {
        case LedgerBusService::CallEnd::answered:
            return {Status::done, {}};
        case LedgerBusService::CallEnd::refused:
            return {Status::notDone, error};
        case LedgerBusService::CallEnd::unanswered:
            handedOver = true;
            break;
        case LedgerBusService::CallEnd::unreachable:
            break;
        }
        // No window answers: write it ourselves once no one else holds the store.
        if (DataFolder::tryLock(lock, 100)) {
            std::vector<ReminderRequest> notices;
            Result written;
            {
                std::unique_ptr<ModelStore> store = ModelStore::open(m_storePath, &error);
                if (!store) {
                    written = {Status::notDone, error};
                } else {
                    // No window weighs the change against the budgets here, so this process does.
                    BudgetWatch budgets(*store, BudgetWatch::keepingIn(notices));
                    written = writeDirectly(*store);
                }
            }
            lock.unlock();
            BudgetWatch::postAll(m_bus, notices);
            return written;
        }
        if (lock.error() == QLockFile::PermissionError)
            return {Status::notDone,
                    u"无法锁定数据文件 %1：没有权限。"_s.arg(QDir::toNativeSeparators(m_storePath))};
        if (deadline.hasExpired()) {
            const QString path = QDir::toNativeSeparators(m_storePath);
            // A call the window has not answered stays queued for it: a busy or stopped
            // window may still carry it out later, so "not done" would be a guess.
            if (handedOver)
                return {Status::unknown,
                        u"数据文件 %1 正被 Pennyloom 窗口使用，"_s.arg(path) + wording.handedOver};
            return {Status::notDone,
                    u"数据文件 %1 正被 Pennyloom 窗口使用，但窗口没有在会话总线上应答，"_s.arg(path) +
                        wording.notDone};
        }
    }
}

QString StoreHandOff::writeFailure(const ModelStore &store, const QString &failure, const QString &notDone)
{
    if (!failure.isEmpty())
        return failure;
    return u"数据文件 %1 写入失败，"_s.arg(QDir::toNativeSeparators(store.path())) + notDone;
}
