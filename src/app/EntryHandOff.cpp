// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryHandOff.h"

#include "LedgerBusService.h"
#include "model/Clock.h"
#include "model/EntryRules.h"
#include "model/LedgerEntry.h"
#include "reminder/BudgetWatch.h"
#include "store/DataFolder.h"
#include "store/ModelStore.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

using namespace Qt::StringLiterals;

EntryHandOff::EntryHandOff(QString storePath, QDBusConnection bus)
    : m_storePath(std::move(storePath)), m_bus(bus)
{
}

EntryHandOff::Result EntryHandOff::deliver(const LedgerEntry &entry, std::chrono::milliseconds timeout)
{
    // Checked before anything is sent: the window refuses the same, and a text far past the
    // limit would not even fit in one bus message.
    if (const std::optional<QString> problem = EntryRules::newEntryProblem(entry))
        return {Status::notStored, *problem + u"，这笔账没有记下。"_s};
    QDeadlineTimer deadline(timeout);
    // The window's own rule for the folder: made 0700 whatever the umask.
    if (const QString error = DataFolder::prepare(QFileInfo(m_storePath).absolutePath()); !error.isEmpty())
        return {Status::notStored, error};
    QLockFile lock(m_storePath + u".lock"_s);
    bool handedOver = false;
    for (;;) {
        QString error;
        const int remaining = int(std::max<qint64>(deadline.remainingTime(), 1000));
        switch (callWindow(entry, remaining, &error)) {
        case Outcome::stored:
            return {Status::stored, {}};
        case Outcome::alreadyStored:
            return {Status::stored, {}, true};
        case Outcome::refused:
            return {Status::notStored, error};
        case Outcome::unanswered:
            handedOver = true;
            break;
        case Outcome::unreachable:
            break;
        }
        // No window answers: write it ourselves once no one else holds the store. A window
        // that is still starting holds the lock before it answers, so keep asking both.
        if (DataFolder::tryLock(lock, 100)) {
            std::vector<ReminderRequest> notices;
            Result written = writeDirectly(entry, notices);
            lock.unlock();
            BudgetWatch::postAll(m_bus, notices);
            return written;
        }
        if (lock.error() == QLockFile::PermissionError)
            return {Status::notStored,
                    u"无法锁定数据文件 %1：没有权限。"_s.arg(QDir::toNativeSeparators(m_storePath))};
        if (deadline.hasExpired()) {
            const QString path = QDir::toNativeSeparators(m_storePath);
            // A call the window has not answered stays queued for it: a busy or stopped
            // window may still store the entry later, so "not stored" would be a guess.
            if (handedOver)
                return {Status::unknown,
                        u"数据文件 %1 正被 Pennyloom 窗口使用，这笔账已交给窗口，但窗口没有在限定时间内应答，"
                        "不知道它是否已经记下。"_s.arg(path)};
            return {
                Status::notStored,
                u"数据文件 %1 正被 Pennyloom 窗口使用，但窗口没有在会话总线上应答，这笔账没有记下。"_s.arg(
                    path)};
        }
    }
}

EntryHandOff::Outcome EntryHandOff::callWindow(const LedgerEntry &entry, int timeoutMs, QString *error)
{
    QDBusMessage reply;
    const QVariantList fields{
        entry.id.toString(QUuid::WithoutBraces),  entry.amount, entry.kindRaw, entry.category, entry.note,
        qlonglong(entry.date.toMSecsSinceEpoch())};
    // The window went away or did not answer in time: the same id sent again (to a window or
    // to the file) is stored at most once.
    switch (LedgerBusService::callWindow(m_bus, m_storePath, u"Add"_s, fields, timeoutMs, &reply, error)) {
    case LedgerBusService::CallEnd::answered: {
        // A window of an earlier version answers without saying; it stored the entry either way.
        const QVariant written = reply.arguments().value(0);
        return written.typeId() == QMetaType::Bool && !written.toBool() ? Outcome::alreadyStored
                                                                        : Outcome::stored;
    }
    case LedgerBusService::CallEnd::unreachable:
        return Outcome::unreachable;
    case LedgerBusService::CallEnd::unanswered:
        return Outcome::unanswered;
    case LedgerBusService::CallEnd::refused:
        return Outcome::refused;
    }
    return Outcome::refused;
}

EntryHandOff::Result EntryHandOff::writeDirectly(const LedgerEntry &entry,
                                                 std::vector<ReminderRequest> &notices)
{
    if (const std::optional<QString> problem = EntryRules::newEntryProblem(entry))
        return {Status::notStored, *problem + u"，这笔账没有记下。"_s};
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(m_storePath, &error);
    if (!store)
        return {Status::notStored, error};
    if (store->find<LedgerEntry>(entry.id))
        return {Status::stored, {}, true};
    // No window weighs the entry against the budgets here, so this process does.
    BudgetWatch budgets(*store, BudgetWatch::keepingIn(notices));
    QString failure;
    QObject::connect(store.get(), &ModelStore::writeFailed, store.get(),
                     [&failure](const QString &message) { failure = message; });
    if (!store->insert(entry))
        return {Status::notStored, failure.isEmpty() ? u"数据文件 %1 写入失败，这笔账没有记下。"_s.arg(
                                                           QDir::toNativeSeparators(m_storePath))
                                                     : failure};
    // The recurring entries that fell due while no window ran are written too; the entry is
    // stored whether or not they could be.
    store->writeDueOccurrences(Clock::now());
    return {Status::stored, {}};
}
