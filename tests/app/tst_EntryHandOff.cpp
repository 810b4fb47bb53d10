// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateSessionBus.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "app/EntryHandOff.h"
#include "app/LedgerBusService.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// The window's side of the hand-over and the sender's choice between the window and the file,
// in one process on a private session bus.
class EntryHandOffTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_bus = std::make_unique<PrivateSessionBus>(u"handoff-test"_s);
        if (const QString failure = m_bus->start(); !failure.isEmpty())
            QSKIP(qPrintable(failure));
        QVERIFY(openStore(TestSupport::local(2024, 3, 5, 12)));
    }

    void cleanup()
    {
        m_service.reset();
        closeStore();
        m_bus.reset();
    }

    void windowAccepts_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("category");
        QTest::addColumn<qlonglong>("date");
        QTest::addColumn<qsizetype>("noteLength");
        QTest::addColumn<bool>("accepted");
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        const qlonglong march = 1709611200000;
        QTest::newRow("an entry") << id << 36.5 << u"支出"_s << u"交通"_s << march << qsizetype(2) << true;
        QTest::newRow("the longest note")
            << id << 5.0 << u"支出"_s << u"餐饮"_s << march << qsizetype(500) << true;
        QTest::newRow("no amount") << id << 0.0 << u"支出"_s << u"交通"_s << march << qsizetype(2) << false;
        QTest::newRow("not a number") << id << std::numeric_limits<double>::quiet_NaN() << u"支出"_s
                                      << u"交通"_s << march << qsizetype(2) << false;
        QTest::newRow("below a cent")
            << id << 0.004 << u"支出"_s << u"交通"_s << march << qsizetype(2) << false;
        QTest::newRow("two decimals")
            << id << 12.34 << u"支出"_s << u"交通"_s << march << qsizetype(2) << true;
        QTest::newRow("a third decimal")
            << id << 12.345 << u"支出"_s << u"交通"_s << march << qsizetype(2) << false;
        QTest::newRow("a trillion") << id << 1e12 << u"支出"_s << u"交通"_s << march << qsizetype(2) << false;
        QTest::newRow("unknown kind")
            << id << 5.0 << u"转入"_s << u"交通"_s << march << qsizetype(2) << false;
        QTest::newRow("no category") << id << 5.0 << u"收入"_s << QString() << march << qsizetype(2) << false;
        QTest::newRow("blank category") << id << 5.0 << u"支出"_s << u" "_s << march << qsizetype(2) << false;
        QTest::newRow("unknown category")
            << id << 5.0 << u"支出"_s << u"杂项X"_s << march << qsizetype(2) << false;
        QTest::newRow("category of the other kind")
            << id << 5.0 << u"收入"_s << u"餐饮"_s << march << qsizetype(2) << false;
        QTest::newRow("the largest instant")
            << id << 5.0 << u"支出"_s << u"餐饮"_s << std::numeric_limits<qlonglong>::max() << qsizetype(2)
            << false;
        QTest::newRow("year 10000") << id << 5.0 << u"支出"_s << u"餐饮"_s << qlonglong(253402300800000)
                                    << qsizetype(2) << false;
        QTest::newRow("a note past the limit")
            << id << 5.0 << u"支出"_s << u"餐饮"_s << march << qsizetype(501) << false;
        QTest::newRow("no id") << u"coffee"_s << 5.0 << u"支出"_s << u"餐饮"_s << march << qsizetype(2)
                               << false;
        QTest::newRow("id in upper case")
            << id.toUpper() << 5.0 << u"支出"_s << u"餐饮"_s << march << qsizetype(2) << false;
        QTest::newRow("id in braces")
            << u'{' + id + u'}' << 5.0 << u"支出"_s << u"餐饮"_s << march << qsizetype(2) << false;
        QTest::newRow("id with trailing text")
            << id + u"-extra"_s << 5.0 << u"支出"_s << u"餐饮"_s << march << qsizetype(2) << false;
    }

    // The window stores exactly what its own forms would store, and the same id sent twice (a
    // sender that lost the first answer) only once.
    void windowAccepts()
    {
        QFETCH(QString, id);
        QFETCH(double, amount);
        QFETCH(QString, kind);
        QFETCH(QString, category);
        QFETCH(qlonglong, date);
        QFETCH(qsizetype, noteLength);
        QFETCH(bool, accepted);
        publishWindow();
        QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
        const QString note = QString(noteLength, u'记');
        for (int attempt = 0; attempt < 2; ++attempt) {
            QDBusMessage call = QDBusMessage::createMethodCall(LedgerBusService::serviceName(m_store->path()),
                                                               LedgerBusService::objectPath(),
                                                               LedgerBusService::interfaceName(), u"Add"_s);
            call << id << amount << kind << category << note << date;
            const QDBusMessage reply = m_bus->connection().call(call);
            QVERIFY2((reply.type() == QDBusMessage::ReplyMessage) == accepted,
                     qPrintable(reply.errorMessage()));
            if (!accepted)
                QVERIFY2(reply.errorMessage().contains(u"没有记下"_s), qPrintable(reply.errorMessage()));
        }
        QCOMPARE(m_store->entries().size(), accepted ? 1u : 0u);
        QCOMPARE(changed.size(), accepted ? 1 : 0);
        if (accepted) {
            const LedgerEntry &entry = m_store->entries().front();
            QCOMPARE(entry.id, QUuid::fromString(id));
            QCOMPARE(entry.date, QDateTime::fromMSecsSinceEpoch(date));
            QCOMPARE(std::tuple(entry.amount, entry.kindRaw, entry.category, entry.note),
                     std::tuple(amount, kind, category, note));
        }
    }

    void deliver_data()
    {
        QTest::addColumn<bool>("windowAnswers");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<qsizetype>("noteLength");
        QTest::addColumn<bool>("stored");
        QTest::newRow("window answers") << true << true << qsizetype(2) << true;
        QTest::newRow("no window") << false << false << qsizetype(2) << true;
        QTest::newRow("locked by a window that does not answer") << false << true << qsizetype(2) << false;
        // Refused before it is sent: the window would refuse it too.
        QTest::newRow("a note past the limit, window answers") << true << true << qsizetype(501) << false;
        QTest::newRow("a note past the limit, no window") << false << false << qsizetype(501) << false;
    }

    // The sender hands the entry to the window that holds the store, writes the file itself
    // when nobody holds it, and gives up with a reason when a silent holder keeps it locked.
    void deliver()
    {
        QFETCH(bool, windowAnswers);
        QFETCH(bool, locked);
        QFETCH(qsizetype, noteLength);
        QFETCH(bool, stored);
        const QString path = m_store->path();
        if (windowAnswers)
            publishWindow();
        QLockFile holder(path + u".lock"_s);
        if (locked)
            QVERIFY(holder.tryLock(0));

        const LedgerEntry entry(12.5, EntryKind::expense, u"餐饮"_s, QString(noteLength, u'记'));
        EntryHandOff handOff(path, m_bus->connection());
        const EntryHandOff::Result result = handOff.deliver(entry, 400ms);
        QCOMPARE(result.status == EntryHandOff::Status::stored, stored);
        if (!stored) {
            QCOMPARE(result.status, EntryHandOff::Status::notStored);
            QVERIFY2(result.message.contains(noteLength > 500 ? u"备注"_s : path),
                     qPrintable(result.message));
        }
        // A window sees its entry at once; otherwise the file has it and the lock is free again.
        if (windowAnswers)
            QCOMPARE(m_store->find<LedgerEntry>(entry.id) != nullptr, stored);
        if (locked)
            holder.unlock();
        QVERIFY(QLockFile(path + u".lock"_s).tryLock(0));
        QString openError;
        const std::unique_ptr<ModelStore> reread = ModelStore::open(path, &openError);
        QVERIFY2(reread, qPrintable(openError));
        QCOMPARE(reread->find<LedgerEntry>(entry.id) != nullptr, stored);
        QCOMPARE(reread->entries().size(), stored ? 1u : 0u);
    }

    // Without a window the sender makes the data folder itself, by the window's rule: 0700 for
    // every level it makes and 0600 for the store, whatever the umask.
    void deliverMakesPrivateFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a/b/pennyloom.sqlite"_s);
        const mode_t previous = ::umask(0);
        EntryHandOff handOff(path, m_bus->connection());
        const EntryHandOff::Result result =
            handOff.deliver(LedgerEntry(12.5, EntryKind::expense, u"餐饮"_s), 400ms);
        ::umask(previous);
        QVERIFY2(result.status == EntryHandOff::Status::stored, qPrintable(result.message));
        const auto modeOf = [](const QString &file) {
            struct stat info {};
            return ::stat(QFile::encodeName(file).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
        };
        QCOMPARE(modeOf(dir.filePath(u"a"_s)), 0700);
        QCOMPARE(modeOf(dir.filePath(u"a/b"_s)), 0700);
        QCOMPARE(modeOf(path), 0600);
    }

    void nameIgnoresHowThePathIsWritten_data()
    {
        QTest::addColumn<QString>("written");
        QTest::newRow("through a symlinked folder") << u"link/pennyloom.sqlite"_s;
        QTest::newRow("with a dot-dot") << u"real/../real/pennyloom.sqlite"_s;
        QTest::newRow("a file not made yet, through the link") << u"link/other.sqlite"_s;
    }

    // The window and "pennyloom add" meet on one bus name however each was given the path.
    void nameIgnoresHowThePathIsWritten()
    {
        QFETCH(QString, written);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"real"_s));
        QVERIFY(QFile::link(dir.filePath(u"real"_s), dir.filePath(u"link"_s)));
        const QString real = dir.filePath(u"real/"_s + QFileInfo(written).fileName());
        QCOMPARE(LedgerBusService::serviceName(dir.filePath(written)), LedgerBusService::serviceName(real));
    }

    // A caller that hands the window a note of many megabytes is refused, and the window goes
    // on answering the next call.
    void oversizedCallLeavesTheWindowListening()
    {
        publishWindow();
        // Another client, so the calls cross the bus instead of reaching the object in-process.
        QDBusConnection sender = QDBusConnection::connectToBus(m_bus->address(), u"oversized-sender"_s);
        const auto disconnect =
            qScopeGuard([] { QDBusConnection::disconnectFromBus(u"oversized-sender"_s); });
        QVERIFY(sender.isConnected());
        QDBusMessage call = QDBusMessage::createMethodCall(LedgerBusService::serviceName(m_store->path()),
                                                           LedgerBusService::objectPath(),
                                                           LedgerBusService::interfaceName(), u"Add"_s);
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        call << id << 5.0 << u"支出"_s << u"餐饮"_s << QString(25'000'000, u'记') << qlonglong(1709611200000);
        QDBusPendingCallWatcher refused(sender.asyncCall(call, 120000));
        QTRY_VERIFY_WITH_TIMEOUT(refused.isFinished(), 120000);
        QVERIFY2(refused.error().message().contains(u"没有记下"_s), qPrintable(refused.error().message()));
        call.setArguments({id, 5.0, u"支出"_s, u"餐饮"_s, u"咖啡"_s, qlonglong(1709611200000)});
        QDBusPendingCallWatcher stored(sender.asyncCall(call, 20000));
        QTRY_VERIFY_WITH_TIMEOUT(stored.isFinished(), 30000);
        QVERIFY2(!stored.isError(), qPrintable(stored.error().message()));
        QCOMPARE(m_store->entries().size(), 1u);
    }

private:
    void publishWindow()
    {
        m_service = std::make_unique<LedgerBusService>(*m_store);
        QVERIFY(m_service->publish(m_bus->connection()));
    }

    std::unique_ptr<PrivateSessionBus> m_bus;
    std::unique_ptr<LedgerBusService> m_service;
};

PENNYLOOM_TEST(EntryHandOffTest)
#include "tst_EntryHandOff.moc"
