// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionBus.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A transport libdbus does not know: connecting to it fails at once.
constexpr auto switchedOff = "disabled:";

QString systemError(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Waits for the events on fd until the deadline; false on a timeout or an error.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    for (;;) {
        pollfd entry{fd, events, 0};
        const int ready = ::poll(&entry, 1, int(std::max<qint64>(deadline.remainingTime(), 0)));
        if (ready > 0)
            return (entry.revents & events) != 0 || (entry.revents & POLLHUP) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// Values in a D-Bus address escape bytes as %XX.
QByteArray unescaped(QStringView value)
{
    return QByteArray::fromPercentEncoding(value.toUtf8());
}

// Connects to the socket and asks for the authentication mechanisms, which a live daemon
// answers before it knows who asks; nothing is authenticated and nothing stays open.
QString ask(const sockaddr_un &address, socklen_t length, const QString &named,
            const QDeadlineTimer &deadline)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return systemError(errno);
    QString failure;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), length) != 0 && errno != EINPROGRESS &&
        errno != EAGAIN) {
        failure = systemError(errno);
    } else if (!waitFor(fd, POLLOUT, deadline)) {
        failure = u"连接没有在限定时间内建立"_s;
    } else {
        int error = 0;
        socklen_t size = sizeof error;
        static const char question[] = "\0AUTH\r\n";
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error != 0)
            failure = systemError(error);
        else if (::send(fd, question, sizeof question - 1, MSG_NOSIGNAL) != sizeof question - 1)
            failure = systemError(errno);
        else if (!waitFor(fd, POLLIN, deadline))
            failure = u"没有在限定时间内应答"_s;
        else if (char answer[64]; ::recv(fd, answer, sizeof answer, 0) <= 0)
            failure = u"连接被关闭"_s;
    }
    ::close(fd);
    return failure.isEmpty() ? QString() : u"会话总线 %1 %2"_s.arg(named, failure);
}

} // namespace

QString SessionBus::probe(const QString &address, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    QString failure;
    // libdbus tries the addresses in turn and takes the first that works.
    for (const QString &entry : address.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = entry.indexOf(u':');
        if (colon < 0 || entry.left(colon) != u"unix"_s)
            return {};
        sockaddr_un socket{};
        socket.sun_family = AF_UNIX;
        QByteArray path;
        bool abstract = false;
        for (const QString &pair : entry.mid(colon + 1).split(u',', Qt::SkipEmptyParts)) {
            const QString key = pair.section(u'=', 0, 0);
            const QString value = pair.section(u'=', 1);
            if (key == u"path"_s) {
                path = unescaped(value);
            } else if (key == u"abstract"_s) {
                path = unescaped(value);
                abstract = true;
            } else if (key == u"runtime"_s && value == u"yes"_s) {
                path = QFile::encodeName(qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/bus"_s);
            }
        }
        // A server-side form (dir=, tmpdir=) cannot be connected to; libdbus says so at once.
        if (path.isEmpty() || path.size() + 1 >= qsizetype(sizeof socket.sun_path))
            continue;
        std::memcpy(socket.sun_path + (abstract ? 1 : 0), path.constData(), size_t(path.size()));
        const socklen_t length = socklen_t(offsetof(sockaddr_un, sun_path) + (abstract ? 1 : 0) +
                                           path.size() + (abstract ? 0 : 1));
        failure = ask(socket, length, entry, deadline);
        if (failure.isEmpty())
            return {};
    }
    return failure;
}

QString SessionBus::guard(std::chrono::milliseconds timeout)
{
    QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    // Without an address libdbus looks for the bus in the runtime folder.
    if (address.isEmpty() && !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") &&
        QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + u"/bus"_s))
        address = u"unix:runtime=yes"_s;
    if (address.isEmpty() || address == QLatin1StringView(switchedOff))
        return {};
    const QString failure = probe(address, timeout);
    if (!failure.isEmpty())
        qputenv("DBUS_SESSION_BUS_ADDRESS", switchedOff);
    return failure;
}
