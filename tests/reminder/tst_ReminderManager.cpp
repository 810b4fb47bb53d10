#include "TestRegistry.h"

#include "reminder/ReminderManager.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Answers permission requests as told: at once, or only when the test releases them.
class FakePlatform final : public ReminderPlatform {
public:
    bool grant = true;
    bool answerAtOnce = true;
    int authorizationRequests = 0;
    QList<ReminderRequest> added;
    int removals = 0;
    QList<std::function<void(bool)>> waiting;

    void requestAuthorization(std::function<void(bool granted)> answer) override
    {
        ++authorizationRequests;
        if (answerAtOnce)
            answer(grant);
        else
            waiting.append(std::move(answer));
    }
    void add(const ReminderRequest &request) override { added.append(request); }
    void removeAllPending() override { ++removals; }

    void answerWaiting()
    {
        const auto answers = std::exchange(waiting, {});
        for (const auto &answer : answers)
            answer(grant);
    }
};

} // namespace

class ReminderManagerTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<QSettings>(m_dir->filePath(u"settings.conf"_s), QSettings::IniFormat);
        m_platform = std::make_unique<FakePlatform>();
    }

    void cleanup()
    {
        m_settings.reset();
        m_platform.reset();
        m_dir.reset();
    }

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

    // The switch is stored at once whatever the platform says, and survives a restart.
    void switching()
    {
        QFETCH(QList<bool>, presses);
        QFETCH(bool, granted);
        QFETCH(int, requests);
        QFETCH(int, scheduled);
        QFETCH(int, removals);
        m_platform->grant = granted;
        {
            ReminderManager manager(*m_settings, *m_platform);
            // A first start reads off, and asks the platform for nothing.
            QVERIFY(!manager.enabled());
            QCOMPARE(m_platform->authorizationRequests + m_platform->removals, 0);
            for (bool press : presses) {
                manager.setEnabled(press);
                QCOMPARE(manager.enabled(), press);
            }
        }
        QCOMPARE(m_platform->authorizationRequests, requests);
        QCOMPARE(m_platform->added.size(), scheduled);
        QCOMPARE(m_platform->removals, removals);
        for (const ReminderRequest &request : m_platform->added) {
            QCOMPARE(request.identifier, u"daily-ledger-reminder"_s);
            QCOMPARE(request.title, u"Pennyloom"_s);
            QCOMPARE(request.body, u"今天的花费记好了吗？花 10 秒记录一下吧。"_s);
            QCOMPARE(request.hour * 60 + request.minute, 20 * 60 + 30);
        }

        QSettings reread(m_dir->filePath(u"settings.conf"_s), QSettings::IniFormat);
        QCOMPARE(reread.value(u"remindersEnabled"_s).toBool(), presses.last());
        ReminderManager restarted(reread, *m_platform);
        QCOMPARE(restarted.enabled(), presses.last());
    }

    // The answer to switching on arrives after the user switched off again: nothing may be
    // scheduled behind a switch that shows off.
    void lateAnswerAfterSwitchingOff()
    {
        m_platform->answerAtOnce = false;
        ReminderManager manager(*m_settings, *m_platform);
        manager.setEnabled(true);
        manager.setEnabled(false);
        m_platform->answerWaiting();
        QVERIFY(m_platform->added.isEmpty());

        // Switched on twice before any answer: one prompt, not two.
        manager.setEnabled(true);
        manager.setEnabled(true);
        m_platform->answerWaiting();
        QCOMPARE(m_platform->added.size(), 1);
    }

    // Screens hear about each change once, and not about a press that changes nothing.
    void observers()
    {
        ReminderManager manager(*m_settings, *m_platform);
        QSignalSpy changed(&manager, &ReminderManager::enabledChanged);
        manager.setEnabled(true);
        manager.setEnabled(true);
        manager.setEnabled(false);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(changed.at(0).at(0).toBool(), true);
        QCOMPARE(changed.at(1).at(0).toBool(), false);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<FakePlatform> m_platform;
};

PENNYLOOM_TEST(ReminderManagerTest)
#include "tst_ReminderManager.moc"
