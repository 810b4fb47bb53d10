// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderNotifier.h"

#include "ReminderManager.h"
#include "SessionBus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

#include <cstdio>

using namespace Qt::StringLiterals;

bool ReminderNotifier::post(const QDBusConnection &bus, const ReminderRequest &request, QString *error)
{
    if (!bus.isConnected()) {
        *error = u"无法连接会话总线：%1"_s.arg(bus.lastError().message());
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(u"org.freedesktop.Notifications"_s,
                                                       u"/org/freedesktop/Notifications"_s,
                                                       u"org.freedesktop.Notifications"_s, u"Notify"_s);
    // "message-new-instant" is the sound theme's own event for a new notification.
    const QVariantMap hints{
        {u"sound-name"_s, u"message-new-instant"_s},
        {u"desktop-entry"_s, u"pennyloom"_s},
    };
    call << request.title << quint32(0) << QString() << request.title << request.body << QStringList()
         << hints << qint32(-1);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        *error = u"通知服务没有接收提醒：%1"_s.arg(reply.errorMessage());
        return false;
    }
    return true;
}

int ReminderNotifier::runRemind(int &argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"Pennyloom"_s);
    // A timer run that hangs on a wedged bus would hold every later day's reminder back.
    if (const QString wedged = SessionBus::guard(std::chrono::seconds(3)); !wedged.isEmpty()) {
        std::fprintf(stderr, "pennyloom: 无法连接会话总线：%s，提醒没有发出。\n",
                     wedged.toLocal8Bit().constData());
        return 1;
    }
    QString error;
    if (post(QDBusConnection::sessionBus(), ReminderManager::dailyPrompt(), &error))
        return 0;
    std::fprintf(stderr, "pennyloom: %s\n", error.toLocal8Bit().constData());
    return 1;
}
