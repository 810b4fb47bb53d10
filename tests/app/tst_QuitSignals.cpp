// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace Qt::StringLiterals;

// Logging out or Ctrl+C in a terminal closes the real program as a normal quit does.
class QuitSignalsTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void quitsCleanlyOnSignal_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("atOnce");
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGINT") << SIGINT << false;
        // Sent the moment the lock is taken, while the store opens and the window is made.
        QTest::newRow("SIGTERM while starting") << SIGTERM << true;
    }

    void quitsCleanlyOnSignal()
    {
        QFETCH(int, signal);
        QFETCH(bool, atOnce);
        QTemporaryDir data;
        QTemporaryDir config;
        QVERIFY(data.isValid() && config.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PENNYLOOM_DATA_DIR"_s, data.path());
        environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(PENNYLOOM_BINARY), {});
        QVERIFY(program.waitForStarted());

        // The store is open once its file exists; the lock is taken before that.
        const QString lock = data.filePath(u"pennyloom.sqlite.lock"_s);
        if (atOnce) {
            QElapsedTimer waited;
            waited.start();
            while (!QFile::exists(lock) && waited.elapsed() < 10000)
                QThread::usleep(200);
            QVERIFY(QFile::exists(lock));
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data.filePath(u"pennyloom.sqlite"_s)), 10000);
            QVERIFY(QFile::exists(lock));
            QTest::qWait(300);
        }

        ::kill(static_cast<pid_t>(program.processId()), signal);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(!QFile::exists(lock), "the data folder's lock was left behind");
        // The window was closed as a quit closes it: its geometry was saved.
        QVERIFY(QFile::exists(QDir(config.path()).filePath(u"Pennyloom/Pennyloom.conf"_s)));
    }
};

PENNYLOOM_TEST(QuitSignalsTest)
#include "tst_QuitSignals.moc"
