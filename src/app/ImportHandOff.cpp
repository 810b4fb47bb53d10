// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportHandOff.h"

#include "LedgerBusService.h"
#include "import/ImportFile.h"
#include "reminder/BudgetWatch.h"
#include "settings/ImportPreview.h"
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

ImportHandOff::ImportHandOff(QString storePath, QDBusConnection bus)
    : m_storePath(std::move(storePath)), m_bus(bus)
{
}

std::optional<int> ImportHandOff::importInto(ModelStore &store, const QString &path, QString *error)
{
    return importInto(store, path, Reading(), error);
}

std::optional<int> ImportHandOff::importInto(ModelStore &store, const QString &path, const Reading &reading,
                                             QString *error)
{
    const ImportPreview preview =
        ImportPreview::read(&store, ImportFile::load(path), reading.mapping, reading.dateOrder);
    if (!preview.result().ok()) {
        *error = preview.result().fileError;
        return std::nullopt;
    }
    const std::vector<ModelStore::ImportRow> rows = preview.freshRows();
    if (rows.empty())
        return 0;
    QString failure;
    const QMetaObject::Connection watch = QObject::connect(
        &store, &ModelStore::writeFailed, &store, [&failure](const QString &message) { failure = message; });
    const std::optional<ModelStore::ImportResult> written = store.importEntries(rows);
    QObject::disconnect(watch);
    if (!written) {
        *error = failure.isEmpty()
                     ? u"数据文件 %1 写入失败，没有导入。"_s.arg(QDir::toNativeSeparators(store.path()))
                     : failure;
        return std::nullopt;
    }
    return int(written->inserted.size());
}

ImportHandOff::Result ImportHandOff::deliver(const QString &path, std::chrono::milliseconds timeout)
{
    return deliver(path, Reading(), timeout);
}

ImportHandOff::Result ImportHandOff::deliver(const QString &path, const Reading &reading,
                                             std::chrono::milliseconds timeout)
{
    QDeadlineTimer deadline(timeout);
    if (const QString error = DataFolder::prepare(QFileInfo(m_storePath).absolutePath()); !error.isEmpty())
        return {Status::notImported, 0, error};
    QLockFile lock(m_storePath + u".lock"_s);
    bool handedOver = false;
    for (;;) {
        QString error;
        int count = 0;
        const int remaining = int(std::max<qint64>(deadline.remainingTime(), 1000));
        switch (callWindow(path, reading, remaining, &count, &error)) {
        case Outcome::imported:
            return {Status::imported, count, {}};
        case Outcome::refused:
            return {Status::notImported, 0, error};
        case Outcome::unanswered:
            handedOver = true;
            break;
        case Outcome::unreachable:
            break;
        }
        if (DataFolder::tryLock(lock, 100)) {
            std::vector<ReminderRequest> notices;
            Result written = writeDirectly(path, reading, notices);
            lock.unlock();
            BudgetWatch::postAll(m_bus, notices);
            return written;
        }
        if (lock.error() == QLockFile::PermissionError)
            return {Status::notImported, 0,
                    u"无法锁定数据文件 %1：没有权限。"_s.arg(QDir::toNativeSeparators(m_storePath))};
        if (deadline.hasExpired()) {
            const QString store = QDir::toNativeSeparators(m_storePath);
            if (handedOver)
                return {
                    Status::unknown, 0,
                    u"数据文件 %1 正被 Pennyloom 窗口使用，文件已交给窗口导入，但窗口没有在限定时间内应答，"
                    "不知道是否已经导入。再导入一次不会重复。"_s.arg(store)};
            return {
                Status::notImported, 0,
                u"数据文件 %1 正被 Pennyloom 窗口使用，但窗口没有在会话总线上应答，没有导入。"_s.arg(store)};
        }
    }
}

ImportHandOff::Outcome ImportHandOff::callWindow(const QString &path, const Reading &reading, int timeoutMs,
                                                 int *count, QString *error)
{
    QDBusMessage reply;
    // The plain call when nothing is chosen, so a window of an earlier version still answers.
    const bool chosen = reading.mapping || reading.dateOrder != ImportDateOrder::automatic;
    const QVariantList arguments =
        chosen ? QVariantList{path, reading.mapping ? reading.mapping->toText() : QString(),
                              LedgerBusService::dateOrderText(reading.dateOrder)}
               : QVariantList{path};
    switch (LedgerBusService::callWindow(m_bus, m_storePath, chosen ? u"ImportWith"_s : u"Import"_s,
                                         arguments, timeoutMs, &reply, error)) {
    case LedgerBusService::CallEnd::answered:
        *count = reply.arguments().value(0).toInt();
        return Outcome::imported;
    case LedgerBusService::CallEnd::unreachable:
        return Outcome::unreachable;
    case LedgerBusService::CallEnd::unanswered:
        return Outcome::unanswered;
    case LedgerBusService::CallEnd::refused:
        return Outcome::refused;
    }
    return Outcome::refused;
}

ImportHandOff::Result ImportHandOff::writeDirectly(const QString &path, const Reading &reading,
                                                   std::vector<ReminderRequest> &notices)
{
    QString error;
    std::unique_ptr<ModelStore> store = ModelStore::open(m_storePath, &error);
    if (!store)
        return {Status::notImported, 0, error};
    // No window weighs the entries against the budgets here, so this process does.
    BudgetWatch budgets(*store, BudgetWatch::keepingIn(notices));
    const std::optional<int> count = importInto(*store, path, reading, &error);
    if (!count)
        return {Status::notImported, 0, error};
    return {Status::imported, *count, {}};
}
