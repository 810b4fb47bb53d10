// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderNotifier.h"

#include <QDBusMessage>
#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace {

QDBusMessage notifyCall(const ReminderRequest &request, const QStringList &actions)
{
    QDBusMessage call = QDBusMessage::createMethodCall(u"org.freedesktop.Notifications"_s,
                                                       u"/org/freedesktop/Notifications"_s,
                                                       u"org.freedesktop.Notifications"_s, u"Notify"_s);
    // "message-new-instant" is the sound theme's own event for a new notification.
    const QVariantMap hints{
        {u"sound-name"_s, u"message-new-instant"_s},
        {u"desktop-entry"_s, ReminderNotifier::desktopEntry()},
    };
    call << u"Pennyloom"_s << quint32(0) << QString() << request.title << request.body << actions << hints
         << qint32(-1);
    return call;
}

} // namespace

QString ReminderNotifier::desktopEntry()
{
    return u"org.pennyloom.Pennyloom"_s;
}

QString ReminderNotifier::addEntryAction()
{
    return u"add-entry"_s;
}

QStringList ReminderNotifier::addEntryActions()
{
    return {u"default"_s, u"记一笔"_s, addEntryAction(), u"记一笔"_s};
}

bool ReminderNotifier::post(const QDBusConnection &bus, const ReminderRequest &request, QString *error,
                            const QStringList &actions)
{
    if (!bus.isConnected()) {
        *error = u"无法连接会话总线：%1"_s.arg(bus.lastError().message());
        return false;
    }
    const QDBusMessage reply = bus.call(notifyCall(request, actions), QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        *error = u"通知服务没有接收提醒：%1"_s.arg(reply.errorMessage());
        return false;
    }
    return true;
}

void ReminderNotifier::send(const QDBusConnection &bus, const ReminderRequest &request)
{
    if (bus.isConnected())
        bus.send(notifyCall(request, {}));
}
