#include "PrivateSessionBus.h"
#include "TestRegistry.h"
#include "TestSupport.h"

#include "app/EntryHandOff.h"
#include "app/LedgerBusService.h"
#include "model/LedgerEntry.h"
#include "store/ModelStore.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

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
        QTest::addColumn<bool>("accepted");
        const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
        QTest::newRow("an entry") << id << 36.5 << u"支出"_s << u"交通"_s << true;
        QTest::newRow("no amount") << id << 0.0 << u"支出"_s << u"交通"_s << false;
        QTest::newRow("not a number")
            << id << std::numeric_limits<double>::quiet_NaN() << u"支出"_s << u"交通"_s << false;
        QTest::newRow("unknown kind") << id << 5.0 << u"转入"_s << u"交通"_s << false;
        QTest::newRow("no category") << id << 5.0 << u"收入"_s << QString() << false;
        QTest::newRow("no id") << u"coffee"_s << 5.0 << u"支出"_s << u"餐饮"_s << false;
    }

    // The window stores what its own forms would store, and the same id sent twice (a sender
    // that lost the first answer) only once.
    void windowAccepts()
    {
        QFETCH(QString, id);
        QFETCH(double, amount);
        QFETCH(QString, kind);
        QFETCH(QString, category);
        QFETCH(bool, accepted);
        publishWindow();
        QSignalSpy changed(m_store.get(), &ModelStore::entriesChanged);
        for (int attempt = 0; attempt < 2; ++attempt) {
            QDBusMessage call = QDBusMessage::createMethodCall(LedgerBusService::serviceName(m_store->path()),
                                                               LedgerBusService::objectPath(),
                                                               LedgerBusService::interfaceName(), u"Add"_s);
            call << id << amount << kind << category << u"备注"_s << qlonglong(1709611200000);
            const QDBusMessage reply = m_bus->connection().call(call);
            QCOMPARE(reply.type() == QDBusMessage::ReplyMessage, accepted);
        }
        QCOMPARE(m_store->entries().size(), accepted ? 1u : 0u);
        QCOMPARE(changed.size(), accepted ? 1 : 0);
        if (accepted) {
            const LedgerEntry &entry = m_store->entries().front();
            QCOMPARE(entry.id, QUuid::fromString(id));
            QCOMPARE(entry.date, QDateTime::fromMSecsSinceEpoch(1709611200000));
            QCOMPARE(std::tuple(entry.amount, entry.kindRaw, entry.category, entry.note),
                     std::tuple(amount, kind, category, u"备注"_s));
        }
    }

    void deliver_data()
    {
        QTest::addColumn<bool>("windowAnswers");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("stored");
        QTest::newRow("window answers") << true << true << true;
        QTest::newRow("no window") << false << false << true;
        QTest::newRow("locked by a window that does not answer") << false << true << false;
    }

    // The sender hands the entry to the window that holds the store, writes the file itself
    // when nobody holds it, and gives up with a reason when a silent holder keeps it locked.
    void deliver()
    {
        QFETCH(bool, windowAnswers);
        QFETCH(bool, locked);
        QFETCH(bool, stored);
        const QString path = m_store->path();
        if (windowAnswers)
            publishWindow();
        QLockFile holder(path + u".lock"_s);
        if (locked)
            QVERIFY(holder.tryLock(0));

        const LedgerEntry entry(12.5, EntryKind::expense, u"餐饮"_s, u"早饭"_s);
        EntryHandOff handOff(path, m_bus->connection());
        const std::optional<QString> error = handOff.deliver(entry, 400ms);
        QCOMPARE(!error.has_value(), stored);
        if (error)
            QVERIFY2(error->contains(path), qPrintable(*error));
        // A window sees its entry at once; otherwise the file has it and the lock is free again.
        if (windowAnswers)
            QVERIFY(m_store->find<LedgerEntry>(entry.id));
        if (locked)
            holder.unlock();
        QVERIFY(QLockFile(path + u".lock"_s).tryLock(0));
        QString openError;
        const std::unique_ptr<ModelStore> reread = ModelStore::open(path, &openError);
        QVERIFY2(reread, qPrintable(openError));
        QCOMPARE(reread->find<LedgerEntry>(entry.id) != nullptr, stored);
        QCOMPARE(reread->entries().size(), stored ? 1u : 0u);
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
