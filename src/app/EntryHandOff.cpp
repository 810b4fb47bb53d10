// SPDX-License-Identifier: GPL-3.0-or-later
#include "EntryHandOff.h"

#include "LedgerBusService.h"
#include "StoreHandOff.h"
#include "model/Clock.h"
#include "model/EntryRules.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

#include <QDBusMessage>

using namespace Qt::StringLiterals;

EntryHandOff::EntryHandOff(QString storePath, QDBusConnection bus)
    : m_storePath(std::move(storePath)), m_bus(bus)
{
}

EntryHandOff::Result EntryHandOff::deliver(const LedgerEntry &entry, std::chrono::milliseconds timeout)
{
    const QString notStored = u"这笔账没有记下。"_s;
    // Checked before anything is sent: the window refuses the same, and a text far past the
    // limit would not even fit in one bus message.
    if (const std::optional<QString> problem = EntryRules::newEntryProblem(entry))
        return {Status::notStored, *problem + u"，"_s + notStored};
    const QVariantList fields{
        entry.id.toString(QUuid::WithoutBraces),  entry.amount, entry.kindRaw, entry.category, entry.note,
        qlonglong(entry.date.toMSecsSinceEpoch())};
    // The window went away or did not answer in time: the same id sent again (to a window or
    // to the file) is stored at most once.
    // Stored before under the same id, as the window or the file says.
    bool alreadyStored = false;
    const auto callWindow = [&](int timeoutMs, QString *error) {
        QDBusMessage reply;
        const LedgerBusService::CallEnd end =
            LedgerBusService::callWindow(m_bus, m_storePath, u"Add"_s, fields, timeoutMs, &reply, error);
        // A window of an earlier version answers without saying; it stored the entry either way.
        const QVariant written = reply.arguments().value(0);
        alreadyStored = end == LedgerBusService::CallEnd::answered && written.typeId() == QMetaType::Bool &&
                        !written.toBool();
        return end;
    };
    const auto writeDirectly = [&](ModelStore &store) -> StoreHandOff::Result {
        if (store.find<LedgerEntry>(entry.id)) {
            alreadyStored = true;
            return {StoreHandOff::Status::done, {}};
        }
        QString failure;
        QObject::connect(&store, &ModelStore::writeFailed, &store,
                         [&failure](const QString &message) { failure = message; });
        if (!store.insert(entry))
            return {StoreHandOff::Status::notDone, StoreHandOff::writeFailure(store, failure, notStored)};
        // The recurring entries that fell due while no window ran are written too; the entry is
        // stored whether or not they could be.
        store.writeDueOccurrences(Clock::now());
        return {StoreHandOff::Status::done, {}};
    };
    const StoreHandOff::Result result =
        StoreHandOff(m_storePath, m_bus)
            .deliver(timeout,
                     {notStored, u"这笔账已交给窗口，但窗口没有在限定时间内应答，不知道它是否已经记下。"_s},
                     callWindow, writeDirectly);
    switch (result.status) {
    case StoreHandOff::Status::done:
        return {Status::stored, {}, alreadyStored};
    case StoreHandOff::Status::unknown:
        return {Status::unknown, result.message};
    case StoreHandOff::Status::notDone:
        break;
    }
    return {Status::notStored, result.message};
}
