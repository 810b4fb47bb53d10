// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "reminder/ReminderManager.h"
#include "reminder/SystemdReminderPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Records the systemctl commands; the probe for a running manager answers as told.
class FakeRunner final : public CommandRunner {
public:
    bool managerRuns = true;
    QStringList commands;

    Result run(const QString &program, const QStringList &arguments) override
    {
        commands << (program + u' ' + arguments.join(u' '));
        if (!managerRuns)
            return {1, u"Failed to connect to bus: No medium found"_s};
        return {0, {}};
    }
};

const QString probe = u"systemctl --user show --property=Version"_s;
const QString reload = u"systemctl --user daemon-reload"_s;
const QString restart = u"systemctl --user restart pennyloom-reminder.timer"_s;
const QString stop = u"systemctl --user stop pennyloom-reminder.timer"_s;

} // namespace

class SystemdReminderPlatformTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_runner = std::make_unique<FakeRunner>();
        m_platform = std::make_unique<SystemdReminderPlatform>(QDBusConnection(u"none"_s), *m_runner,
                                                               m_dir->filePath(u"systemd/user"_s),
                                                               QString::fromUtf8(PENNYLOOM_BINARY));
        m_reports.clear();
        m_platform->setReporter([this](const QString &message) { m_reports << message; });
    }

    void cleanup()
    {
        m_platform.reset();
        m_runner.reset();
        m_dir.reset();
    }

    void execLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain path") << u"/usr/bin/pennyloom"_s
                                    << u"ExecStart=\"/usr/bin/pennyloom\" --remind"_s;
        // systemd expands no variable in the program's name: "$$" there would stay "$$".
        QTest::newRow("space, specifier, variable")
            << u"/home/a b/100%/$HOME/pennyloom"_s
            << u"ExecStart=\"/home/a b/100%%/$HOME/pennyloom\" --remind"_s;
        // It refuses these characters in the program's name however escaped; as an argument
        // of the shell they are fine.
        QTest::newRow("quote, backslash")
            << u"/home/a'b\"c\\d$e%f/pennyloom"_s
            << u"ExecStart=/bin/sh -c \"exec \\\"$$0\\\" --remind\" \"/home/a'b\\\"c\\\\d$$e%%f/pennyloom\""_s;
    }

    // The service runs exactly this program with --remind, however odd its path.
    void execLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, line);
        QVERIFY2(SystemdReminderPlatform::serviceText(program).split(u'\n').contains(line),
                 qPrintable(SystemdReminderPlatform::serviceText(program)));
    }

    void systemdAcceptsUnits_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain") << u"bin"_s;
        QTest::newRow("dollar") << u"a$HOME"_s;
        QTest::newRow("percent") << u"100%"_s;
        QTest::newRow("apostrophe") << u"it's"_s;
        QTest::newRow("double quote") << u"a\"b"_s;
        QTest::newRow("backslash") << u"a\\b"_s;
    }

    // Written units pass systemd's own checks, which also find the program where the unit
    // names it; the timer fires every day at 20:30.
    void systemdAcceptsUnits()
    {
        QFETCH(QString, folder);
        const QString analyze = QStandardPaths::findExecutable(u"systemd-analyze"_s);
        if (analyze.isEmpty())
            QSKIP("systemd-analyze is not installed");
        QVERIFY(QDir(m_dir->path()).mkpath(folder));
        const QString program = m_dir->filePath(folder + u"/pennyloom"_s);
        QVERIFY(QFile::link(QString::fromUtf8(PENNYLOOM_BINARY), program));
        SystemdReminderPlatform platform(QDBusConnection(u"none"_s), *m_runner,
                                         m_dir->filePath(u"systemd/user"_s), program);
        platform.setReporter([this](const QString &message) { m_reports << message; });
        platform.add(ReminderManager::dailyPrompt());
        QProcess verify;
        verify.setProcessChannelMode(QProcess::MergedChannels);
        verify.start(analyze, {u"verify"_s, u"--man=no"_s, platform.timerPath(), platform.servicePath()});
        QVERIFY(verify.waitForFinished(60000));
        const QString verifyOutput = QString::fromUtf8(verify.readAll());
        QVERIFY2(verify.exitCode() == 0 && verifyOutput.isEmpty(), qPrintable(verifyOutput));

        QFile timer(platform.timerPath());
        QVERIFY(timer.open(QIODevice::ReadOnly));
        QVERIFY(timer.readAll().contains("\nOnCalendar=*-*-* 20:30:00\n"));
        // A run stuck on a wedged session must not hold back every later day's reminder.
        QFile service(platform.servicePath());
        QVERIFY(service.open(QIODevice::ReadOnly));
        QVERIFY(service.readAll().contains("\nTimeoutStartSec="));
    }

    void lifecycle_data()
    {
        QTest::addColumn<bool>("managerRuns");
        QTest::addColumn<QStringList>("scheduling");
        QTest::addColumn<QStringList>("removing");
        QTest::addColumn<int>("reports");
        QTest::newRow("user manager running")
            << true << QStringList{probe, reload, restart, probe, reload, restart}
            << QStringList{probe, stop, reload} << 0;
        // CI or a bare session: the units still go on disk, the reason is reported.
        QTest::newRow("no user manager") << false << QStringList{probe, probe} << QStringList{probe} << 4;
    }

    // Scheduling twice leaves one timer, enabled once; removing stops it and removes its files
    // and its enabling link; removing again has nothing to stop.
    void lifecycle()
    {
        QFETCH(bool, managerRuns);
        QFETCH(QStringList, scheduling);
        QFETCH(QStringList, removing);
        QFETCH(int, reports);
        m_runner->managerRuns = managerRuns;
        m_platform->add(ReminderManager::dailyPrompt());
        m_platform->add(ReminderManager::dailyPrompt());
        const QDir units(m_dir->filePath(u"systemd/user"_s));
        QCOMPARE(units.entryList(QDir::Files),
                 (QStringList{u"pennyloom-reminder.service"_s, u"pennyloom-reminder.timer"_s}));
        QCOMPARE(QDir(units.filePath(u"timers.target.wants"_s)).entryList(QDir::System | QDir::Files),
                 QStringList{u"pennyloom-reminder.timer"_s});
        QCOMPARE(QFileInfo(m_platform->enablingLinkPath()).canonicalFilePath(),
                 QFileInfo(m_platform->timerPath()).canonicalFilePath());
        QCOMPARE(std::exchange(m_runner->commands, {}), scheduling);

        m_platform->removeAllPending();
        QVERIFY(units.entryList(QDir::Files).isEmpty());
        QVERIFY(!QFileInfo(m_platform->enablingLinkPath()).isSymLink());
        QCOMPARE(std::exchange(m_runner->commands, {}), removing);
        m_platform->removeAllPending();
        QVERIFY(!m_runner->commands.contains(stop));
        QCOMPARE(m_reports.size(), reports);
        for (const QString &report : m_reports)
            QVERIFY2(report.contains(u"systemd"_s) && report.contains(u"No medium found"_s),
                     qPrintable(report));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeRunner> m_runner;
    std::unique_ptr<SystemdReminderPlatform> m_platform;
    QStringList m_reports;
};

PENNYLOOM_TEST(SystemdReminderPlatformTest)
#include "tst_SystemdReminderPlatform.moc"
