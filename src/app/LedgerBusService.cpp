// SPDX-License-Identifier: GPL-3.0-or-later
#include "LedgerBusService.h"

#include "ImportHandOff.h"
#include "import/ImportFile.h"
#include "import/OffThread.h"
#include "model/EntryKind.h"
#include "model/EntryRules.h"
#include "model/LedgerEntry.h"
#include "settings/ImportPreview.h"
#include "store/ModelStore.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QFileInfo>

#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace {

// libdbus stops reading a connection while the messages it has read but not yet handed out pass
// its received-size limit (63 MiB unless set), and resumes when one is freed. QtDBus frees them
// on another thread than the one that reads, where the resume is lost, so one oversized call
// would leave the window deaf until restart. Above what the bus lets through to one connection
// at once, the limit is never reached. The library is the one QtDBus already loaded.
void raiseReceivedSizeLimit(const QDBusConnection &bus)
{
    using SetLimit = void (*)(void *, long);
    static const auto setLimit =
        reinterpret_cast<SetLimit>(::dlsym(RTLD_DEFAULT, "dbus_connection_set_max_received_size"));
    if (setLimit && bus.internalPointer())
        setLimit(bus.internalPointer(), 2'000'000'000L);
}

} // namespace

LedgerBusService::LedgerBusService(ModelStore &store, QObject *parent) : QObject(parent), m_store(store) {}

QString LedgerBusService::serviceName(const QString &storePath)
{
    // The window and "pennyloom add" must arrive at one name however each was told the path:
    // through a symlinked folder, with "..", relative. The file may not exist yet, so its folder
    // is resolved and the name put back.
    const QFileInfo file(storePath);
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    const QString canonical = folder.isEmpty() ? file.absoluteFilePath() : folder + u'/' + file.fileName();
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
    raiseReceivedSizeLimit(connection);
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
    // Only the form the store writes: QUuid reads braces, upper case and some trailing text too,
    // and a record kept under such an id could not be found again by the text it came as.
    const QUuid parsed = QUuid::fromString(id);
    entry.id = parsed.toString(QUuid::WithoutBraces) == id ? parsed : QUuid();
    // The text as sent, so that an unknown kind is refused rather than read as an expense.
    entry.kindRaw = kind;
    return entry;
}

bool LedgerBusService::Add(const QString &id, double amount, const QString &kind, const QString &category,
                           const QString &note, qlonglong date)
{
    const LedgerEntry entry = entryFromFields(id, amount, kind, category, note, date);
    // Refuse what the window's own forms would never store.
    if (entry.id.isNull()) {
        sendErrorReply(QDBusError::InvalidArgs, u"“%1”不是这笔账的编号，没有记下。"_s.arg(id.left(64)));
        return false;
    }
    if (!EntryRules::dateInRange(date)) {
        sendErrorReply(QDBusError::InvalidArgs, u"日期须在公元 1 年到 9999 年之间，这笔账没有记下。"_s);
        return false;
    }
    if (const std::optional<QString> problem = EntryRules::newEntryProblem(entry)) {
        sendErrorReply(QDBusError::InvalidArgs, *problem + u"，这笔账没有记下。"_s);
        return false;
    }
    if (m_store.find<LedgerEntry>(entry.id))
        return false;
    if (!m_store.insert(entry)) {
        sendErrorReply(QDBusError::Failed, u"数据文件 %1 写入失败，这笔账没有记下。"_s.arg(m_store.path()));
        return false;
    }
    return true;
}

QString LedgerBusService::dateOrderText(ImportDateOrder order)
{
    switch (order) {
    case ImportDateOrder::dayFirst:
        return u"dmy"_s;
    case ImportDateOrder::monthFirst:
        return u"mdy"_s;
    case ImportDateOrder::automatic:
        break;
    }
    return u"auto"_s;
}

ImportDateOrder LedgerBusService::dateOrderOf(const QString &text)
{
    if (text == u"dmy")
        return ImportDateOrder::dayFirst;
    if (text == u"mdy")
        return ImportDateOrder::monthFirst;
    return ImportDateOrder::automatic;
}

int LedgerBusService::Import(const QString &fileName, const QByteArray &bytes)
{
    return importBytes(fileName, bytes, std::nullopt, ImportDateOrder::automatic, false);
}

int LedgerBusService::ImportWith(const QString &fileName, const QByteArray &bytes, const QString &mapping,
                                 const QString &dateOrder, bool takeBeforeDamage)
{
    std::optional<ColumnMapping> columns;
    if (!mapping.isEmpty()) {
        columns = ColumnMapping::fromText(mapping);
        if (!columns) {
            sendErrorReply(QDBusError::InvalidArgs,
                           u"列的对应“%1”无法读取，没有导入。"_s.arg(mapping.left(256)));
            return 0;
        }
    }
    return importBytes(fileName, bytes, columns, dateOrderOf(dateOrder), takeBeforeDamage);
}

int LedgerBusService::importBytes(const QString &fileName, const QByteArray &bytes,
                                  const std::optional<ColumnMapping> &chosen, ImportDateOrder dateOrder,
                                  bool takeBeforeDamage)
{
    setDelayedReply(true);
    const QDBusMessage call = message();
    const QDBusConnection bus = connection();
    // The file first; the mapping and the category rules come from the store, here, before its
    // rows are read.
    OffThread::run<ImportFile>(
        this,
        [fileName, bytes, takeBeforeDamage] {
            ImportFile file = ImportFile::fromBytes(bytes, fileName);
            file.takeBeforeDamage = takeBeforeDamage;
            return file;
        },
        [this, call, bus, chosen, dateOrder](ImportFile read) {
            auto file = std::make_shared<const ImportFile>(std::move(read));
            std::optional<ColumnMapping> mapping;
            if (file->ok() && file->layout == ImportFile::Layout::table)
                mapping = chosen ? *chosen : ImportPreview::mappingFor(&m_store, *file);
            OffThread::run<ImportResult>(
                this,
                [file, categorizer = ImportPreview::categorizer(&m_store), mapping, dateOrder] {
                    return ImportPreview::readRows(*file, categorizer, mapping, dateOrder);
                },
                [this, call, bus, mapping](ImportResult rows) {
                    ImportPreview preview = ImportPreview::classify(&m_store, std::move(rows), mapping);
                    QString error;
                    const std::optional<int> count =
                        ImportHandOff::importInto(m_store, preview, &error, false);
                    QDBusConnection(bus).send(count ? call.createReply(*count)
                                                    : call.createErrorReply(QDBusError::Failed, error));
                });
        });
    return 0;
}

void LedgerBusService::CatchUp()
{
    Q_EMIT catchUpRequested();
}

void LedgerBusService::ShowAddForm()
{
    Q_EMIT addFormRequested();
}

LedgerBusService::CallEnd LedgerBusService::callWindow(const QDBusConnection &bus, const QString &storePath,
                                                       const QString &method, const QVariantList &arguments,
                                                       int timeoutMs, QDBusMessage *reply, QString *error)
{
    if (!bus.isConnected() || !bus.interface())
        return CallEnd::unreachable;
    const QString service = serviceName(storePath);
    if (!bus.interface()->isServiceRegistered(service).value())
        return CallEnd::unreachable;
    QDBusMessage call = QDBusMessage::createMethodCall(service, objectPath(), interfaceName(), method);
    call.setArguments(arguments);
    *reply = QDBusConnection(bus).call(call, QDBus::Block, timeoutMs);
    if (reply->type() == QDBusMessage::ReplyMessage)
        return CallEnd::answered;
    switch (QDBusError(*reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
        return CallEnd::unreachable;
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
        return CallEnd::unanswered;
    default:
        *error = reply->errorMessage();
        return CallEnd::refused;
    }
}
