// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>

// The session bus, bounded in time. Connecting to a bus whose daemon is stopped or wedged
// waits forever inside libdbus, which no timeout of Qt's reaches; so the bus's socket is asked
// first, with a deadline, whether anyone answers on it.
namespace SessionBus {

// Empty when the session bus answers within the timeout (or is reached by a transport that is
// not a local socket, which is left to libdbus); otherwise why not. A bus that does not answer
// is then switched off for this process, so every later QDBusConnection::sessionBus(), Qt's
// own included, fails at once instead of hanging.
QString guard(std::chrono::milliseconds timeout);

// Whether something answers at the D-Bus address within the timeout. Only local sockets
// (unix:path=, unix:abstract=, unix:runtime=yes) are asked; empty with nothing to ask.
QString probe(const QString &address, std::chrono::milliseconds timeout);

} // namespace SessionBus
