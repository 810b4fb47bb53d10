// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderManager.h"

#include "CommandRunner.h"
#include "SystemdReminderPlatform.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QPointer>
#include <QSettings>

using namespace Qt::StringLiterals;

ReminderManager::ReminderManager(QSettings &settings, ReminderPlatform &platform, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_platform(platform)
    , m_enabled(settings.value(QLatin1StringView(settingsKey), false).toBool())
{
}

ReminderManager &ReminderManager::shared()
{
    static QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Pennyloom"_s, u"Pennyloom"_s);
    static CommandRunner runner;
    static SystemdReminderPlatform platform(QDBusConnection::sessionBus(), runner,
                                            SystemdReminderPlatform::defaultUnitFolder(),
                                            QCoreApplication::applicationFilePath());
    static ReminderManager manager(settings, platform);
    return manager;
}

ReminderRequest ReminderManager::dailyPrompt()
{
    return {u"daily-ledger-reminder"_s, u"Pennyloom"_s, u"今天的花费记好了吗？花 10 秒记录一下吧。"_s, 20,
            30};
}

void ReminderManager::setEnabled(bool enabled)
{
    const bool changed = enabled != m_enabled;
    m_enabled = enabled;
    if (changed)
        Q_EMIT enabledChanged(enabled);
    m_settings.setValue(QLatin1StringView(settingsKey), enabled);
    m_settings.sync();

    const quint64 request = ++m_request;
    if (!enabled) {
        m_platform.removeAllPending();
        return;
    }
    QPointer<ReminderManager> self(this);
    m_platform.requestAuthorization([self, request](bool granted) {
        if (granted && self && self->m_enabled && self->m_request == request)
            self->scheduleDailyPrompt();
    });
}

void ReminderManager::scheduleDailyPrompt()
{
    m_platform.add(dailyPrompt());
}
