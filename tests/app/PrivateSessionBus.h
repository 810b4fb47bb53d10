// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusError>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <memory>

// A session bus of the test's own from dbus-daemon, so nothing reaches the desktop of whoever
// runs the tests; gone with the object.
class PrivateSessionBus {
public:
    explicit PrivateSessionBus(QString connectionName) : m_name(std::move(connectionName)) {}
    ~PrivateSessionBus()
    {
        m_connection.reset();
        QDBusConnection::disconnectFromBus(m_name);
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.kill();
            m_daemon.waitForFinished();
        }
    }

    // Empty when the bus is up; otherwise what went wrong.
    QString start()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            return QStringLiteral("dbus-daemon is not installed");
        m_daemon.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted() || !QTest::qWaitFor([this] { return m_daemon.canReadLine(); }, 20000))
            return QStringLiteral("dbus-daemon did not start");
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_connection = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(m_address, m_name));
        return m_connection->isConnected() ? QString() : m_connection->lastError().message();
    }

    QString address() const { return m_address; }
    QDBusConnection &connection() { return *m_connection; }

private:
    QString m_name;
    QProcess m_daemon;
    QString m_address;
    std::unique_ptr<QDBusConnection> m_connection;
};
