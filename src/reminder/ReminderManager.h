// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReminderPlatform.h"

#include <QObject>

class QSettings;

// The one owner of the daily bookkeeping reminder in the process: keeps the switch in the
// user settings under "remindersEnabled", asks the platform for permission when it is
// turned on and schedules or removes the daily prompt. Creating it schedules nothing: a
// reminder set up by an earlier run stays with the platform and keeps firing.
class ReminderManager final : public QObject {
    Q_OBJECT

public:
    static constexpr auto settingsKey = "remindersEnabled";

    ReminderManager(QSettings &settings, ReminderPlatform &platform, QObject *parent = nullptr);

    // The instance of the program, on the user's settings and the desktop; made on first use.
    static ReminderManager &shared();

    // "Pennyloom", "今天的花费记好了吗？花 10 秒记录一下吧。", every day at 20:30.
    static ReminderRequest dailyPrompt();

    bool enabled() const { return m_enabled; }
    // The only way to change the switch: stores it at once, then removes the prompt, or asks
    // for permission and schedules it when permission is granted.
    void setEnabled(bool enabled);

Q_SIGNALS:
    void enabledChanged(bool enabled);

private:
    void scheduleDailyPrompt();

    QSettings &m_settings;
    ReminderPlatform &m_platform;
    bool m_enabled = false;
    // Which switching-on an answer of the platform belongs to, so a late answer to an
    // earlier request cannot schedule a reminder the user has switched off since.
    quint64 m_request = 0;
};
