// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportHandOff.h"

#include "LedgerBusService.h"
#include "StoreHandOff.h"
#include "import/ImportFile.h"
#include "store/ModelStore.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>

using namespace Qt::StringLiterals;

ImportHandOff::ImportHandOff(QString storePath, QDBusConnection bus)
    : m_storePath(std::move(storePath)), m_bus(bus)
{
}

std::optional<int> ImportHandOff::importInto(ModelStore &store, ImportPreview &preview, QString *error,
                                             bool keepRows)
{
    if (!preview.result().ok()) {
        *error = preview.result().fileError;
        return std::nullopt;
    }
    std::vector<ModelStore::ImportRow> rows = preview.freshRows();
    if (!keepRows)
        preview.takeRows();
    if (rows.empty())
        return 0;
    QString failure;
    const QMetaObject::Connection watch = QObject::connect(
        &store, &ModelStore::writeFailed, &store, [&failure](const QString &message) { failure = message; });
    const std::optional<ModelStore::ImportResult> written = store.importEntries(rows);
    QObject::disconnect(watch);
    if (!written) {
        *error = StoreHandOff::writeFailure(store, failure, u"没有导入。"_s);
        return std::nullopt;
    }
    return int(written->inserted.size());
}

ImportHandOff::Result ImportHandOff::deliver(const ImportFile &file, const QByteArray &bytes,
                                             const Reading &reading, std::chrono::milliseconds timeout,
                                             std::optional<ImportPreview> *preview, bool keepRows)
{
    int count = 0;
    const auto callWindow = [&](int timeoutMs, QString *error) {
        const QDBusConnectionInterface *bus = m_bus.isConnected() ? m_bus.interface() : nullptr;
        if (!bus || !bus->isServiceRegistered(LedgerBusService::serviceName(m_storePath)).value())
            return LedgerBusService::CallEnd::unreachable;
        // The counts are taken before the window imports, from the same file as it is handed.
        if (!*preview) {
            QString storeError;
            std::unique_ptr<ModelStore> store;
            if (QFileInfo::exists(m_storePath))
                store = ModelStore::openReadOnly(m_storePath, &storeError);
            if (!store && !storeError.isEmpty()) {
                *error = storeError;
                return LedgerBusService::CallEnd::refused;
            }
            preview->emplace(ImportPreview::read(store.get(), file, reading.mapping, reading.dateOrder));
        }
        if (!(*preview)->result().ok()) {
            *error = (*preview)->result().fileError;
            return LedgerBusService::CallEnd::refused;
        }
        if ((*preview)->count(ImportPreview::Status::fresh) == 0)
            return LedgerBusService::CallEnd::answered;
        QDBusMessage reply;
        // A damaged sheet's lines before the damage are taken only when the file says so.
        // The window reads the bytes as this reading did: with the same columns, date order and
        // choice over a damaged sheet.
        const bool plain =
            !reading.mapping && reading.dateOrder == ImportDateOrder::automatic && !file.takeBeforeDamage;
        const LedgerBusService::CallEnd end =
            plain ? LedgerBusService::callWindow(m_bus, m_storePath, u"Import"_s, {file.fileName, bytes},
                                                 timeoutMs, &reply, error)
                  : LedgerBusService::callWindow(
                        m_bus, m_storePath, u"ImportWith"_s,
                        {file.fileName, bytes, reading.mapping ? reading.mapping->toText() : QString(),
                         LedgerBusService::dateOrderText(reading.dateOrder), file.takeBeforeDamage},
                        timeoutMs, &reply, error);
        if (end == LedgerBusService::CallEnd::answered)
            count = reply.arguments().value(0).toInt();
        return end;
    };
    const auto writeDirectly = [&](ModelStore &store) -> StoreHandOff::Result {
        preview->emplace(ImportPreview::read(&store, file, reading.mapping, reading.dateOrder));
        QString error;
        const std::optional<int> written = importInto(store, **preview, &error, keepRows);
        if (!written)
            return {StoreHandOff::Status::notDone, error};
        count = *written;
        return {StoreHandOff::Status::done, {}};
    };
    const StoreHandOff::Result result =
        StoreHandOff(m_storePath, m_bus)
            .deliver(
                timeout,
                {u"没有导入。"_s,
                 u"文件已交给窗口导入，但窗口没有在限定时间内应答，不知道是否已经导入。再导入一次不会重复。"_s},
                callWindow, writeDirectly);
    switch (result.status) {
    case StoreHandOff::Status::done:
        return {Status::imported, count, {}};
    case StoreHandOff::Status::unknown:
        return {Status::unknown, 0, result.message};
    case StoreHandOff::Status::notDone:
        break;
    }
    return {Status::notImported, 0, result.message};
}
