// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesktopActivation.h"

#include "reminder/ReminderNotifier.h"

#include <QDBusConnection>
#include <QDBusError>

using namespace Qt::StringLiterals;

DesktopActivation::DesktopActivation(QObject *parent) : QObject(parent) {}

QString DesktopActivation::serviceName()
{
    return ReminderNotifier::desktopEntry();
}

QString DesktopActivation::objectPath()
{
    // The entry's id with dots as slashes, where the desktop looks for it.
    return u"/"_s + serviceName().replace(u'.', u'/');
}

bool DesktopActivation::publish(const QDBusConnection &bus)
{
    QDBusConnection connection(bus);
    if (!connection.isConnected() ||
        !connection.registerObject(objectPath(), this, QDBusConnection::ExportAllSlots))
        return false;
    if (!connection.registerService(serviceName())) {
        connection.unregisterObject(objectPath());
        return false;
    }
    return true;
}

void DesktopActivation::Activate(const QVariantMap &)
{
    Q_EMIT activated();
}

void DesktopActivation::Open(const QStringList &, const QVariantMap &)
{
    Q_EMIT activated();
}

void DesktopActivation::ActivateAction(const QString &name, const QVariantList &, const QVariantMap &)
{
    // A click on the notification itself comes as its default action.
    if (name == ReminderNotifier::addEntryAction() || name == u"default"_s) {
        Q_EMIT addFormRequested();
        return;
    }
    if (calledFromDBus())
        sendErrorReply(QDBusError::InvalidArgs, u"没有“%1”这个操作。"_s.arg(name.left(64)));
}
