// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReminderPlatform.h"

#include <QDBusConnection>
#include <QString>

// Posts the reminder as a desktop notification over the session bus: what the timer's
// "pennyloom --remind" does, without the store or a window.
namespace ReminderNotifier {

// Sends one Notify to org.freedesktop.Notifications with the theme's default notification
// sound. False and the reason when no service took it.
bool post(const QDBusConnection &bus, const ReminderRequest &request, QString *error);

// The whole "--remind" run: posts the daily prompt on the session bus and gives the exit
// status, with the reason on stderr when it failed.
int runRemind(int &argc, char **argv);

} // namespace ReminderNotifier
