// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateSessionBus.h"
#include "TestRegistry.h"
#include "TestSupport.h"
#include "WidgetSupport.h"

#include "app/ContentView.h"
#include "app/DesktopActivation.h"
#include "app/LedgerBusService.h"
#include "app/UndoBar.h"
#include "app/WindowServices.h"
#include "bills/BillsView.h"
#include "model/RecurringRule.h"
#include "recurring/RecurringRuleFormModel.h"
#include "store/ModelStore.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSupport::local;

// What runs beside the window, on a private session bus: the recurring catch-up with its undo
// step, and the add form asked for from outside.
class WindowServicesTest final : public TestSupport::StoreFixture {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_bus = std::make_unique<PrivateSessionBus>(u"window-services-test"_s);
        if (const QString failure = m_bus->start(); !failure.isEmpty())
            QSKIP(qPrintable(failure));
        QVERIFY(openStore(local(2024, 4, 10, 9)));
    }

    void cleanup()
    {
        closeStore();
        m_bus.reset();
    }

    void largeCatchUpIsOneUndoStep_data()
    {
        QTest::addColumn<int>("daysClosed");
        QTest::addColumn<QString>("message");
        QTest::newRow("31 at once say nothing") << 30 << QString();
        QTest::newRow("32 at once") << 31 << u"已补记 32 笔周期账单"_s;
    }

    // Undo takes exactly the caught-up entries away and keeps their days as written, so neither
    // the next catch-up nor the next start writes them again.
    void largeCatchUpIsOneUndoStep()
    {
        QFETCH(int, daysClosed);
        QFETCH(QString, message);
        RecurringRule daily(25, EntryKind::expense, u"餐饮"_s, u"午饭"_s,
                            QDate(2024, 4, 10).addDays(-daysClosed));
        daily.repeat = RecurringRule::Repeat::daily;
        daily.timeOfDay = QTime(8, 0);
        QVERIFY(m_store->insertRecurringRule(daily));
        RecurringRule rent(3000, EntryKind::expense, u"住房"_s, u"房租"_s, QDate(2024, 3, 1));
        QVERIFY(m_store->insertRecurringRule(rent));
        const LedgerEntry own = add(LedgerEntry(6, local(2024, 4, 9, 8), EntryKind::expense, u"交通"_s));

        ContentView view(*m_store);
        WindowServices services(*m_store, view, m_bus->connection());
        view.show();
        QVERIFY(services.catchUp().writeDue());
        QCOMPARE(m_store->entries().size(), size_t(daysClosed + 1 + 2 + 1));
        QCOMPARE(view.undoBar()->isVisible(), !message.isEmpty());
        if (message.isEmpty())
            return;
        QCOMPARE(view.undoBar()->message()->text(), message);
        QTest::mouseClick(view.undoBar()->undoButton(), Qt::LeftButton);
        // The rent's two months and the entry of the user's own stay.
        QCOMPARE(m_store->entries().size(), size_t(3));
        QVERIFY(m_store->find<LedgerEntry>(own.id));
        QVERIFY(services.catchUp().writeDue());
        QCOMPARE(m_store->entries().size(), size_t(3));
        closeStore();
        QVERIFY(openStore(local(2024, 4, 10, 9)));
        QCOMPARE(m_store->writeDueOccurrences(local(2024, 4, 10, 9))->size(), size_t(0));
    }

    void savedBackDatedRule_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("daysBack");
        QTest::addColumn<QString>("message");
        QTest::newRow("begun 100 days ago") << u"Asia/Shanghai"_s << 100 << u"已补记 101 笔周期账单"_s;
        // Across the spring change of the clocks: every day's eight o'clock is written once.
        QTest::newRow("begun before the clocks changed")
            << u"America/New_York"_s << 40 << u"已补记 41 笔周期账单"_s;
        QTest::newRow("begun this morning") << u"Asia/Shanghai"_s << 0 << u"已补记 1 笔周期账单"_s;
        QTest::newRow("begins tomorrow") << u"Asia/Shanghai"_s << -1 << QString();
    }

    // A rule saved with its first day behind it writes its back entries at once, and says so:
    // the bar offers them as one step, whose undo takes exactly those away and keeps their
    // days as written, so the next catch-up does not bring them back.
    void savedBackDatedRule()
    {
        QFETCH(QString, zone);
        QFETCH(int, daysBack);
        QFETCH(QString, message);
        TestSupport::ScopedTimeZone guard(zone.toUtf8());
        closeStore();
        QVERIFY(openStore(local(2024, 4, 10, 9)));
        const LedgerEntry own = add(LedgerEntry(6, local(2024, 4, 9, 8), EntryKind::expense, u"交通"_s));
        ContentView view(*m_store);
        WindowServices services(*m_store, view, m_bus->connection());
        view.show();

        RecurringRuleFormModel form(QDate(2024, 4, 10).addDays(-daysBack));
        form.setAmount(u"25"_s);
        form.setRepeat(RecurringRule::Repeat::daily);
        form.setTimeOfDay(QTime(8, 0));
        QVERIFY(form.save(*m_store));
        QCOMPARE(m_store->entries().size(), size_t(std::max(daysBack + 1, 0) + 1));
        QCOMPARE(view.undoBar()->isVisible(), !message.isEmpty());
        if (message.isEmpty())
            return;
        QCOMPARE(view.undoBar()->message()->text(), message);
        QVERIFY(view.undoBar()->undoButton()->isVisible());
        TestSupport::screenshot(&view, u"recurring-save-undo-%1"_s.arg(daysBack));
        // On a window as small as a 1024×600 screen, the bar still stands whole at its bottom.
        view.setMinimumSize(1024, 600);
        view.resize(1024, 600);
        QVERIFY(view.rect().contains(view.undoBar()->geometry()));
        QVERIFY(view.undoBar()->geometry().bottom() > view.height() * 3 / 4);
        TestSupport::screenshot(&view, u"recurring-save-undo-%1-1024x600"_s.arg(daysBack));
        QTest::mouseClick(view.undoBar()->undoButton(), Qt::LeftButton);
        QCOMPARE(m_store->entries().size(), size_t(1));
        QVERIFY(m_store->find<LedgerEntry>(own.id));
        QCOMPARE(m_store->recurringRules().size(), size_t(1));
        QVERIFY(services.catchUp().writeDue());
        QCOMPARE(m_store->entries().size(), size_t(1));
    }

    void addFormAskedFromOutside_data()
    {
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("interface");
        QTest::addColumn<QString>("method");
        QTest::addColumn<QVariantList>("arguments");
        QTest::addColumn<bool>("opens");
        const QString application = u"org.freedesktop.Application"_s;
        QTest::newRow("pennyloom --add")
            << QString() << LedgerBusService::objectPath() << LedgerBusService::interfaceName()
            << u"ShowAddForm"_s << QVariantList() << true;
        QTest::newRow("the reminder's 记一笔")
            << DesktopActivation::serviceName() << DesktopActivation::objectPath() << application
            << u"ActivateAction"_s
            << QVariantList{u"add-entry"_s, QVariant::fromValue(QVariantList()), QVariantMap()} << true;
        QTest::newRow("an action it does not have")
            << DesktopActivation::serviceName() << DesktopActivation::objectPath() << application
            << u"ActivateAction"_s
            << QVariantList{u"delete-all"_s, QVariant::fromValue(QVariantList()), QVariantMap()} << false;
    }

    void addFormAskedFromOutside()
    {
        QFETCH(QString, service);
        QFETCH(QString, path);
        QFETCH(QString, interface);
        QFETCH(QString, method);
        QFETCH(QVariantList, arguments);
        QFETCH(bool, opens);
        ContentView view(*m_store);
        WindowServices services(*m_store, view, m_bus->connection());
        services.publish();
        view.show();
        // The caller is another connection, as "pennyloom --add" or the notification service is.
        QDBusConnection caller = QDBusConnection::connectToBus(m_bus->address(), u"window-services-caller"_s);
        const auto disconnect =
            qScopeGuard([] { QDBusConnection::disconnectFromBus(u"window-services-caller"_s); });
        QDBusMessage call = QDBusMessage::createMethodCall(
            service.isEmpty() ? LedgerBusService::serviceName(m_store->path()) : service, path, interface,
            method);
        call.setArguments(arguments);
        QDBusPendingCall pending = caller.asyncCall(call);
        QTRY_VERIFY(pending.isFinished());
        QCOMPARE(pending.isError(), !opens);
        QCOMPARE(view.model().showingAdd(), opens);
        if (opens)
            QTRY_VERIFY(view.addSheet() && view.addSheet()->isVisible());
    }

    // The bills list's ledger is built once the window has painted, with the overview showing:
    // the first visit of 账单 then finds it in step, entries written before it was built and
    // the catch-up's included, and does not build it again.
    void billsLedgerReadyAfterFirstPaint()
    {
        RecurringRule rent(3000, EntryKind::expense, u"住房"_s, u"房租"_s, QDate(2024, 3, 1));
        QVERIFY(m_store->insertRecurringRule(rent));
        for (int day = 1; day <= 5; ++day)
            add(LedgerEntry(10 * day, local(2024, 4, day, 12), EntryKind::expense, u"餐饮"_s, u"午饭"_s));

        ContentView view(*m_store);
        WindowServices services(*m_store, view, m_bus->connection());
        view.show();
        services.start();
        // Written after start-up asked for the ledger but before it was built.
        add(LedgerEntry(7, local(2024, 4, 9, 18), EntryKind::income, u"其他"_s, u"退款"_s));
        BillsLedger &ledger = view.indexes().ledger();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_VERIFY(ledger.version() > 0);
        QCOMPARE(view.model().shownWorkspace(), Workspace::overview);
        // Five own entries, the late one and the rent of March and April.
        QCOMPARE(m_store->entries().size(), size_t(8));
        QCOMPARE(ledger.index().size(), m_store->entries().size());

        const quint64 built = ledger.version();
        view.model().setSelection(Workspace::bills);
        auto *bills = qobject_cast<BillsView *>(view.detailScreen());
        QVERIFY(bills);
        QCOMPARE(ledger.version(), built);
        QCOMPARE(bills->model().filteredCount(), 8);
    }

private:
    std::unique_ptr<PrivateSessionBus> m_bus;
};

PENNYLOOM_TEST(WindowServicesTest)
#include "tst_WindowServices.moc"
