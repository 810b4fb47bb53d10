// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class QDBusConnection;

// The desktop's way to reach the running program by its launcher entry
// (DBusActivatable=true): org.freedesktop.Application on the bus name of the entry's id. The
// bus starts the program for a call when none runs. A notification service answers the
// reminder's 「记一笔」 with ActivateAction("add-entry") here, which needs nobody to have stayed
// behind listening for the notification's ActionInvoked.
class DesktopActivation final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit DesktopActivation(QObject *parent = nullptr);

    static QString serviceName();
    static QString objectPath();

    // False when the bus refuses the object or the name (another data folder's window has it).
    bool publish(const QDBusConnection &bus);

public Q_SLOTS:
    void Activate(const QVariantMap &platformData);
    void Open(const QStringList &uris, const QVariantMap &platformData);
    // "add-entry" opens the add form; any other name is an error reply.
    void ActivateAction(const QString &name, const QVariantList &parameter, const QVariantMap &platformData);

Q_SIGNALS:
    void activated();
    void addFormRequested();
};
