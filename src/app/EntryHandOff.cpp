#include "EntryHandOff.h"

#include "LedgerBusService.h"
#include "model/LedgerEntry.h"
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

std::optional<QString> EntryHandOff::deliver(const LedgerEntry &entry, std::chrono::milliseconds timeout)
{
    QDeadlineTimer deadline(timeout);
    QDir().mkpath(QFileInfo(m_storePath).absolutePath());
    QLockFile lock(m_storePath + u".lock"_s);
    for (;;) {
        QString error;
        const int remaining = int(std::max<qint64>(deadline.remainingTime(), 1000));
        switch (callWindow(entry, remaining, &error)) {
        case Outcome::stored:
            return std::nullopt;
        case Outcome::refused:
            return error;
        case Outcome::unreachable:
            break;
        }
        // No window answers: write it ourselves once no one else holds the store. A window
        // that is still starting holds the lock before it answers, so keep asking both.
        if (lock.tryLock(100)) {
            std::optional<QString> failure = writeDirectly(entry);
            lock.unlock();
            return failure;
        }
        if (lock.error() == QLockFile::PermissionError)
            return u"无法锁定数据文件 %1：没有权限。"_s.arg(QDir::toNativeSeparators(m_storePath));
        if (deadline.hasExpired())
            return u"数据文件 %1 正被 Pennyloom 窗口使用，但窗口没有在会话总线上应答，这笔账没有记下。"_s.arg(
                QDir::toNativeSeparators(m_storePath));
    }
}

EntryHandOff::Outcome EntryHandOff::callWindow(const LedgerEntry &entry, int timeoutMs, QString *error)
{
    if (!m_bus.isConnected() || !m_bus.interface())
        return Outcome::unreachable;
    const QString service = LedgerBusService::serviceName(m_storePath);
    if (!m_bus.interface()->isServiceRegistered(service).value())
        return Outcome::unreachable;
    QDBusMessage call = QDBusMessage::createMethodCall(service, LedgerBusService::objectPath(),
                                                       LedgerBusService::interfaceName(), u"Add"_s);
    call << entry.id.toString(QUuid::WithoutBraces) << entry.amount << entry.kindRaw << entry.category
         << entry.note << qlonglong(entry.date.toMSecsSinceEpoch());
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Outcome::stored;
    // The window went away or did not answer in time: the same id sent again (to a window or
    // to the file) is stored at most once.
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
    case QDBusError::UnknownObject:
        return Outcome::unreachable;
    default:
        *error = reply.errorMessage();
        return Outcome::refused;
    }
}

std::optional<QString> EntryHandOff::writeDirectly(const LedgerEntry &entry)
{
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(m_storePath, &error);
    if (!store)
        return error;
    if (store->find<LedgerEntry>(entry.id))
        return std::nullopt;
    QString failure;
    QObject::connect(store.get(), &ModelStore::writeFailed, store.get(),
                     [&failure](const QString &message) { failure = message; });
    if (!store->insert(entry))
        return failure.isEmpty()
                   ? u"数据文件 %1 写入失败，这笔账没有记下。"_s.arg(QDir::toNativeSeparators(m_storePath))
                   : failure;
    return std::nullopt;
}
