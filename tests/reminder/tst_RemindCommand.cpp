// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/Budget.h"
#include "model/LocalCalendar.h"
#include "model/RecurringRule.h"
#include "reminder/BudgetNotices.h"
#include "reminder/CommandRunner.h"
#include "reminder/ReminderNotifier.h"
#include "reminder/SystemdReminderPlatform.h"
#include "store/ModelStore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>

using namespace Qt::StringLiterals;

// Stands in for the desktop's notification service and remembers what it was sent.
class FakeNotifications final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Received {
        QString appName;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Received> received;

public Q_SLOTS:
    QStringList GetCapabilities() { return {u"body"_s, u"sound"_s}; }
    uint Notify(const QString &appName, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        received.append({appName, summary, body, actions, hints});
        return uint(received.size());
    }
};

// Each test gets a session bus of its own from dbus-daemon, so nothing reaches the desktop
// of whoever runs the tests.
class RemindCommandTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (QStandardPaths::findExecutable(u"dbus-daemon"_s).isEmpty())
            QSKIP("dbus-daemon is not installed");
        m_daemon = std::make_unique<QProcess>();
        m_daemon->start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        QVERIFY(m_daemon->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(m_daemon->canReadLine(), 20000);
        m_address = QString::fromUtf8(m_daemon->readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
        m_bus =
            std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, u"private-session"_s));
        QVERIFY2(m_bus->isConnected(), qPrintable(m_bus->lastError().message()));
        m_service = std::make_unique<FakeNotifications>();
    }

    void cleanup()
    {
        if (m_bus) {
            QDBusConnection::disconnectFromBus(u"private-session"_s);
            m_bus.reset();
        }
        m_service.reset();
        if (m_daemon) {
            m_daemon->kill();
            m_daemon->waitForFinished();
            m_daemon.reset();
        }
    }

    void remind_data()
    {
        QTest::addColumn<bool>("serviceRuns");
        QTest::newRow("service answers") << true;
        QTest::newRow("no service") << false;
    }

    // The timer's command posts exactly one notification and exits, without a display and
    // without touching the store; with nobody to take it, it fails and says why. Permission
    // is granted exactly when a service answers.
    void remind()
    {
        QFETCH(bool, serviceRuns);
        if (serviceRuns) {
            QVERIFY(m_bus->registerObject(u"/org/freedesktop/Notifications"_s, m_service.get(),
                                          QDBusConnection::ExportAllSlots));
            QVERIFY(m_bus->registerService(u"org.freedesktop.Notifications"_s));
        }
        QTemporaryDir data;
        const Run run = remind(data.path());
        QCOMPARE(run.exitCode == 0, serviceRuns);
        QVERIFY(QDir(data.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        QCOMPARE(m_service->received.size(), serviceRuns ? 1 : 0);
        if (serviceRuns) {
            const FakeNotifications::Received &note = m_service->received.first();
            QCOMPARE(note.appName, u"Pennyloom"_s);
            QCOMPARE(note.summary, u"Pennyloom"_s);
            QCOMPARE(note.body, u"今天的花费记好了吗？花 10 秒记录一下吧。"_s);
            QVERIFY(note.hints.contains(u"sound-name"_s));
            // 记一笔 reaches the program through its launcher entry, with nobody left listening.
            QCOMPARE(note.hints.value(u"desktop-entry"_s).toString(), u"org.pennyloom.Pennyloom"_s);
            const qsizetype action = note.actions.indexOf(u"add-entry"_s);
            QVERIFY(action >= 0 && action % 2 == 0);
            QCOMPARE(note.actions.value(action + 1), u"记一笔"_s);
        } else {
            QVERIFY2(QString::fromUtf8(run.errors).contains(u"通知服务"_s), run.errors.constData());
        }

        CommandRunner runner;
        SystemdReminderPlatform platform(*m_bus, runner, data.path(), QString());
        std::optional<bool> answer;
        platform.requestAuthorization([&answer](bool granted) { answer = granted; });
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 20000);
        QCOMPARE(*answer, serviceRuns);
    }

    void catchUpAfterAWeekClosed_data()
    {
        QTest::addColumn<bool>("noticesOn");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QString>("notice");
        // Eight days of ¥10 (seven closed, and today's) against the week's budget.
        QTest::newRow("well within") << true << 200.0 << QString();
        QTest::newRow("past 80 %") << true << 94.0 << u"餐饮预算已用 85%"_s;
        QTest::newRow("exactly 80 % is not past") << true << 100.0 << QString();
        QTest::newRow("past 100 %") << true << 60.0 << u"餐饮预算已超支 ¥20.00"_s;
        QTest::newRow("switch off") << false << 60.0 << QString();
    }

    // The timer's run with no window: the week's recurring entries are written once, and the
    // budget they take past a line is told once, not again on the next day's run.
    void catchUpAfterAWeekClosed()
    {
        QFETCH(bool, noticesOn);
        QFETCH(double, limit);
        QFETCH(QString, notice);
        QVERIFY(m_bus->registerObject(u"/org/freedesktop/Notifications"_s, m_service.get(),
                                      QDBusConnection::ExportAllSlots));
        QVERIFY(m_bus->registerService(u"org.freedesktop.Notifications"_s));
        BudgetNotices::setEnabled(BudgetNotices::userSettings(), noticesOn);
        QTemporaryDir data;
        const QString path = QDir(data.path()).filePath(u"pennyloom.sqlite"_s);
        const QDate today = QDate::currentDate();
        {
            QString error;
            std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
            QVERIFY2(store, qPrintable(error));
            RecurringRule rule(10, EntryKind::expense, u"餐饮"_s, u"早餐"_s, today.addDays(-7));
            rule.repeat = RecurringRule::Repeat::daily;
            rule.timeOfDay = QTime(0, 0);
            QVERIFY(store->insertRecurringRule(rule));
            QVERIFY(store->insert(Budget(u"餐饮"_s, limit, QDateTime::currentDateTime(),
                                         LocalCalendar::startOfDay(today.addDays(-7)),
                                         LocalCalendar::startOfDay(today))));
        }
        for (int run = 0; run < 2; ++run)
            QCOMPARE(remind(data.path()).exitCode, 0);

        QString error;
        std::unique_ptr<ModelStore> store = ModelStore::open(path, &error);
        QVERIFY2(store, qPrintable(error));
        QCOMPARE(store->entries().size(), size_t(8));
        QStringList bodies;
        for (const FakeNotifications::Received &received : std::as_const(m_service->received))
            bodies << received.body;
        const QString daily = u"今天的花费记好了吗？花 10 秒记录一下吧。"_s;
        QStringList expected{daily, daily};
        if (!notice.isEmpty())
            expected.prepend(notice);
        QCOMPARE(bodies, expected);
    }

private:
    struct Run {
        int exitCode = -1;
        QByteArray errors;
    };

    Run remind(const QString &dataFolder)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_address);
        environment.insert(u"PENNYLOOM_DATA_DIR"_s, dataFolder);
        // A window would need a platform plugin; this one does not exist.
        environment.insert(u"QT_QPA_PLATFORM"_s, u"no-such-platform"_s);
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        program.setProcessEnvironment(environment);
        QSignalSpy finished(&program, &QProcess::finished);
        program.start(QString::fromUtf8(PENNYLOOM_BINARY), {u"--remind"_s});
        // The fake service answers from this thread's event loop, so wait by spinning it.
        if (!finished.wait(30000))
            return {};
        return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1,
                program.readAllStandardError()};
    }

    std::unique_ptr<QProcess> m_daemon;
    QString m_address;
    std::unique_ptr<QDBusConnection> m_bus;
    std::unique_ptr<FakeNotifications> m_service;
};

PENNYLOOM_TEST(RemindCommandTest)
#include "tst_RemindCommand.moc"
