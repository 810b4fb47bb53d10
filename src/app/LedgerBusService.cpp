#include "LedgerBusService.h"

#include "model/EntryKind.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusError>
#include <QFileInfo>

#include <cmath>

using namespace Qt::StringLiterals;

LedgerBusService::LedgerBusService(ModelStore &store, QObject *parent) : QObject(parent), m_store(store) {}

QString LedgerBusService::serviceName(const QString &storePath)
{
    const QString canonical = QFileInfo(storePath).absoluteFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex();
    // A bus name element may not start with a digit.
    return u"org.pennyloom.Pennyloom.store_"_s + QString::fromLatin1(digest.left(16));
}

QString LedgerBusService::objectPath()
{
    return u"/Ledger"_s;
}

QString LedgerBusService::interfaceName()
{
    return u"org.pennyloom.Ledger"_s;
}

bool LedgerBusService::publish(const QDBusConnection &bus)
{
    QDBusConnection connection(bus);
    if (!connection.isConnected())
        return false;
    if (!connection.registerObject(objectPath(), this, QDBusConnection::ExportAllSlots))
        return false;
    if (!connection.registerService(serviceName(m_store.path()))) {
        connection.unregisterObject(objectPath());
        return false;
    }
    return true;
}

LedgerEntry LedgerBusService::entryFromFields(const QString &id, double amount, const QString &kind,
                                              const QString &category, const QString &note, qint64 date)
{
    LedgerEntry entry(amount, QDateTime::fromMSecsSinceEpoch(date),
                      EntryKinds::fromRaw(kind).value_or(EntryKind::expense), category, note);
    entry.id = QUuid::fromString(id);
    return entry;
}

void LedgerBusService::Add(const QString &id, double amount, const QString &kind, const QString &category,
                           const QString &note, qlonglong date)
{
    const LedgerEntry entry = entryFromFields(id, amount, kind, category, note, date);
    // Refuse what the window's own forms would never store.
    if (entry.id.isNull() || !(amount > 0) || !std::isfinite(amount) || !EntryKinds::fromRaw(kind) ||
        category.isEmpty()) {
        sendErrorReply(QDBusError::InvalidArgs, u"这笔账的内容不完整，没有记下。"_s);
        return;
    }
    if (m_store.find<LedgerEntry>(entry.id))
        return;
    if (!m_store.insert(entry))
        sendErrorReply(QDBusError::Failed, u"数据文件 %1 写入失败，这笔账没有记下。"_s.arg(m_store.path()));
}
