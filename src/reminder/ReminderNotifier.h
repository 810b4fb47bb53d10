// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReminderPlatform.h"

#include <QDBusConnection>
#include <QString>
#include <QStringList>

// Posts a notice as a desktop notification over the session bus: the daily reminder of the
// timer's "pennyloom --remind" and the budget notices, without a window.
namespace ReminderNotifier {

// The launcher entry's id, the "desktop-entry" hint by which the notification service knows the
// program and activates it for an action.
QString desktopEntry();
// The daily reminder's actions, as Notify takes them (id, label): 「记一笔」 opens the add form,
// and so does a click on the notification itself.
QStringList addEntryActions();
// The action's id, which org.freedesktop.Application's ActivateAction is called with.
QString addEntryAction();

// Sends one Notify to org.freedesktop.Notifications with the theme's default notification
// sound and waits for the answer. False and the reason when no service took it.
bool post(const QDBusConnection &bus, const ReminderRequest &request, QString *error,
          const QStringList &actions = {});
// The same without waiting: for the window, which must not stall on a slow service.
void send(const QDBusConnection &bus, const ReminderRequest &request);

} // namespace ReminderNotifier
