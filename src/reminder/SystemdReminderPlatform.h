// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandRunner.h"
#include "ReminderPlatform.h"

#include <QDBusConnection>
#include <QString>

#include <functional>

// The reminder on a Linux desktop. Permission means that a notification service answers on
// the session bus. The daily prompt is a systemd user timer, so it fires while the program is
// closed; its service runs "pennyloom --remind", which posts the notification and exits.
// Where no user systemd runs, the units are still written and enabled on disk (the next
// session picks them up) and the reason goes to the reporter, the pennyloom.reminder log
// category by default.
class SystemdReminderPlatform final : public ReminderPlatform {
public:
    SystemdReminderPlatform(QDBusConnection bus, CommandRunner &runner, QString unitFolder, QString program);

    // ~/.config/systemd/user (XDG_CONFIG_HOME respected).
    static QString defaultUnitFolder();
    static QString unitName(const QString &suffix);
    // The unit file texts.
    static QString serviceText(const QString &program);
    static QString timerText(const ReminderRequest &request);
    // What follows ExecStart= to run the program with --remind, for any path systemd can
    // reach the program by.
    static QString execLine(const QString &program);

    QString servicePath() const;
    QString timerPath() const;
    // The link that enables the timer, as "systemctl enable" makes it.
    QString enablingLinkPath() const;

    void setReporter(std::function<void(const QString &message)> report) { m_report = std::move(report); }

    void requestAuthorization(std::function<void(bool granted)> answer) override;
    void add(const ReminderRequest &request) override;
    void removeAllPending() override;

private:
    // Whether a user manager answers; reported when none does.
    bool managerRuns();
    // Runs systemctl --user with the arguments; false (and reported) when it fails.
    bool systemctl(const QStringList &arguments);
    void report(const QString &message) const;

    QDBusConnection m_bus;
    CommandRunner &m_runner;
    QString m_unitFolder;
    QString m_program;
    std::function<void(const QString &message)> m_report;
};
