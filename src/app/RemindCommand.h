// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

// "pennyloom --remind", the daily timer's run, without a window: writes the recurring entries
// that fell due (through the window when one holds the store, else into the file under the
// data folder's lock, weighing them against the budgets as the window would), then posts the
// daily reminder with its 「记一笔」 action, and exits.
namespace RemindCommand {

int run(int &argc, char **argv);

// The catch-up part alone; empty when it was done or there was nothing to do (no store yet),
// otherwise why not.
QString catchUp(const QString &storePath, const QDBusConnection &bus);

} // namespace RemindCommand
