// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemdReminderPlatform.h"

#include "ReminderLog.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr auto unitBase = "pennyloom-reminder";
constexpr auto wantsFolder = "timers.target.wants";

bool writeText(const QString &path, const QString &text, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = u"%1：%2"_s.arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

} // namespace

SystemdReminderPlatform::SystemdReminderPlatform(QDBusConnection bus, CommandRunner &runner,
                                                 QString unitFolder, QString program)
    : m_bus(std::move(bus))
    , m_runner(runner)
    , m_unitFolder(std::move(unitFolder))
    , m_program(std::move(program))
{
}

QString SystemdReminderPlatform::defaultUnitFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/systemd/user"_s;
}

QString SystemdReminderPlatform::unitName(const QString &suffix)
{
    return QString::fromLatin1(unitBase) + u'.' + suffix;
}

namespace {

// A quoted word of a command line, by systemd's rules for arguments: C escapes inside double
// quotes, "%%" for a percent sign (a specifier otherwise) and "$$" for a dollar sign (a
// variable otherwise).
QString argumentWord(const QString &text)
{
    QString word;
    for (const QChar c : text) {
        if (c == u'\\' || c == u'"')
            word += u'\\' + c;
        else if (c == u'%')
            word += u"%%"_s;
        else if (c == u'$')
            word += u"$$"_s;
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            word += u"\\x%1"_s.arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            word += c;
    }
    return u'"' + word + u'"';
}

// systemd takes no quote, backslash or control character in the program's own name, however
// escaped; variables are not expanded there, so a dollar sign stays as it is.
bool namesProgramDirectly(const QString &path)
{
    return std::none_of(path.begin(), path.end(), [](QChar c) {
        return c == u'\'' || c == u'"' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
}

} // namespace

QString SystemdReminderPlatform::execLine(const QString &program)
{
    if (namesProgramDirectly(program)) {
        QString word = program;
        return u"\""_s + word.replace(u'%', u"%%"_s) + u"\" --remind"_s;
    }
    // A program systemd cannot name is started by the shell, which gets the path as an
    // argument, where any character can be written.
    return u"/bin/sh -c \"exec \\\"$$0\\\" --remind\" "_s + argumentWord(program);
}

QString SystemdReminderPlatform::serviceText(const QString &program)
{
    // A run that hangs (a wedged bus, say) is stopped, so the next day's timer can start it again.
    return u"[Unit]\n"
           "Description=Pennyloom 每日记账提醒\n"
           "\n"
           "[Service]\n"
           "Type=oneshot\n"
           "TimeoutStartSec=60\n"
           "ExecStart=%1\n"_s.arg(execLine(program));
}

QString SystemdReminderPlatform::timerText(const ReminderRequest &request)
{
    return u"[Unit]\n"
           "Description=Pennyloom 每日记账提醒（%1）\n"
           "\n"
           "[Timer]\n"
           "OnCalendar=*-*-* %2:%3:00\n"
           "AccuracySec=1s\n"
           "Unit=%4\n"
           "\n"
           "[Install]\n"
           "WantedBy=timers.target\n"_s.arg(request.identifier)
               .arg(request.hour, 2, 10, QLatin1Char('0'))
               .arg(request.minute, 2, 10, QLatin1Char('0'))
               .arg(unitName(u"service"_s));
}

QString SystemdReminderPlatform::servicePath() const
{
    return m_unitFolder + u'/' + unitName(u"service"_s);
}

QString SystemdReminderPlatform::timerPath() const
{
    return m_unitFolder + u'/' + unitName(u"timer"_s);
}

QString SystemdReminderPlatform::enablingLinkPath() const
{
    return m_unitFolder + u'/' + QLatin1StringView(wantsFolder) + u'/' + unitName(u"timer"_s);
}

void SystemdReminderPlatform::report(const QString &message) const
{
    if (m_report)
        m_report(message);
    else
        qCWarning(lcReminder).noquote() << message;
}

bool SystemdReminderPlatform::managerRuns()
{
    const CommandRunner::Result probe =
        m_runner.run(u"systemctl"_s, {u"--user"_s, u"show"_s, u"--property=Version"_s});
    if (!probe.succeeded())
        report(u"没有运行中的 systemd 用户实例（%1），每日提醒的定时器文件已%2，下次登录时生效。"_s.arg(
            probe.output, QFile::exists(timerPath()) ? u"写好"_s : u"删除"_s));
    return probe.succeeded();
}

bool SystemdReminderPlatform::systemctl(const QStringList &arguments)
{
    const CommandRunner::Result result = m_runner.run(u"systemctl"_s, QStringList{u"--user"_s} + arguments);
    if (!result.succeeded())
        report(u"systemctl --user %1 失败：%2"_s.arg(arguments.join(u' '), result.output));
    return result.succeeded();
}

void SystemdReminderPlatform::requestAuthorization(std::function<void(bool granted)> answer)
{
    if (!m_bus.isConnected()) {
        answer(false);
        return;
    }
    const QDBusMessage call = QDBusMessage::createMethodCall(
        u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
        u"org.freedesktop.Notifications"_s, u"GetCapabilities"_s);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, answer = std::move(answer)] {
                         answer(!watcher->isError());
                         watcher->deleteLater();
                     });
}

void SystemdReminderPlatform::add(const ReminderRequest &request)
{
    QString error;
    const QString link = enablingLinkPath();
    if (!QDir().mkpath(QFileInfo(link).absolutePath()) ||
        !writeText(servicePath(), serviceText(m_program), &error) ||
        !writeText(timerPath(), timerText(request), &error)) {
        report(u"每日提醒的定时器无法写入：%1"_s.arg(error.isEmpty() ? m_unitFolder : error));
        return;
    }
    // Enabling by hand does what "systemctl enable" does, and works with no manager running.
    QFile::remove(link);
    if (!QFile::link(u"../"_s + unitName(u"timer"_s), link)) {
        report(u"每日提醒的定时器无法启用：%1"_s.arg(QDir::toNativeSeparators(link)));
        return;
    }
    if (managerRuns() && systemctl({u"daemon-reload"_s}))
        systemctl({u"restart"_s, unitName(u"timer"_s)});
}

void SystemdReminderPlatform::removeAllPending()
{
    const bool scheduled = QFile::exists(timerPath());
    QFile::remove(enablingLinkPath());
    QFile::remove(timerPath());
    QFile::remove(servicePath());
    if (!managerRuns())
        return;
    // A timer that was never written is not loaded either; stopping it would only fail.
    if (scheduled)
        systemctl({u"stop"_s, unitName(u"timer"_s)});
    systemctl({u"daemon-reload"_s});
}
