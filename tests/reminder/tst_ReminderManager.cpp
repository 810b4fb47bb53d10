// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "reminder/ReminderManager.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Keeps permission requests until the test answers them.
class FakePlatform final : public ReminderPlatform {
public:
    int requests = 0;
    int added = 0;
    int removals = 0;

    void requestAuthorization(std::function<void(bool granted)> answer) override
    {
        ++requests;
        m_waiting.append(std::move(answer));
    }
    void add(const ReminderRequest &) override { ++added; }
    void removeAllPending() override { ++removals; }

    void answer(bool granted)
    {
        for (const auto &waiting : std::exchange(m_waiting, {}))
            waiting(granted);
    }

private:
    QList<std::function<void(bool)>> m_waiting;
};

} // namespace

class ReminderManagerTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void switching_data()
    {
        QTest::addColumn<QList<bool>>("presses");
        QTest::addColumn<bool>("granted");
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("scheduled");
        QTest::addColumn<int>("removals");
        QTest::newRow("on, permission granted") << QList<bool>{true} << true << 1 << 1 << 0;
        QTest::newRow("on, permission denied") << QList<bool>{true} << false << 1 << 0 << 0;
        QTest::newRow("on, then off") << QList<bool>{true, false} << true << 1 << 1 << 1;
        QTest::newRow("on, off, on asks again") << QList<bool>{true, false, true} << true << 2 << 2 << 1;
        QTest::newRow("off on a first start") << QList<bool>{false} << true << 0 << 0 << 1;
    }

    // A first start reads off and asks for nothing; the switch is stored at once whatever
    // the platform answers, and survives a restart.
    void switching()
    {
        QFETCH(QList<bool>, presses);
        QFETCH(bool, granted);
        QFETCH(int, requests);
        QFETCH(int, scheduled);
        QFETCH(int, removals);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"settings.conf"_s);
        FakePlatform platform;
        {
            QSettings settings(file, QSettings::IniFormat);
            ReminderManager manager(settings, platform);
            QVERIFY(!manager.enabled());
            QCOMPARE(platform.requests + platform.removals, 0);
            for (bool press : presses) {
                manager.setEnabled(press);
                platform.answer(granted);
                QCOMPARE(manager.enabled(), press);
            }
        }
        QCOMPARE(platform.requests, requests);
        QCOMPARE(platform.added, scheduled);
        QCOMPARE(platform.removals, removals);

        QSettings reread(file, QSettings::IniFormat);
        QCOMPARE(reread.value(u"remindersEnabled"_s).toBool(), presses.last());
        QCOMPARE(ReminderManager(reread, platform).enabled(), presses.last());
    }

    // The answer to switching on arrives after the user switched off again: nothing may be
    // scheduled behind a switch that shows off. Switched on twice before any answer: one
    // prompt, not two.
    void lateAnswers()
    {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(u"settings.conf"_s), QSettings::IniFormat);
        FakePlatform platform;
        ReminderManager manager(settings, platform);
        manager.setEnabled(true);
        manager.setEnabled(false);
        platform.answer(true);
        QCOMPARE(platform.added, 0);
        manager.setEnabled(true);
        manager.setEnabled(true);
        platform.answer(true);
        QCOMPARE(platform.added, 1);
    }
};

PENNYLOOM_TEST(ReminderManagerTest)
#include "tst_ReminderManager.moc"
