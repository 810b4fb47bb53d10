// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppLog.h"
#include "app/CommandLine.h"
#include "app/PennyloomApp.h"
#include "app/RemindCommand.h"
#include "reminder/SessionBus.h"

#include <QCoreApplication>

#include <cstring>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    // The daily timer's run: catch up the recurring entries, post the reminder and exit, with no window.
    if (argc == 2 && std::strcmp(argv[1], "--remind") == 0)
        return RemindCommand::run(argc, argv);
    // Restoring shows no window, so it works without a display.
    if (argc == 3 && std::strcmp(argv[1], "--restore") == 0) {
        QCoreApplication app(argc, argv);
        return PennyloomApp::restore(QString::fromLocal8Bit(argv[2]));
    }
    // add, parse, export, --help, --version: answered in the terminal, with no window.
    if (CommandLine::handles(argc, argv))
        return CommandLine::run(argc, argv);
    // Qt, the theme and the bus service all ask for the session bus while the window starts;
    // a wedged one is switched off first, and the window runs without it.
    if (const QString wedged = SessionBus::guard(std::chrono::seconds(3)); !wedged.isEmpty())
        qCWarning(lcApp).noquote() << wedged + u"；窗口不在会话总线上接收 pennyloom add 记的账。"_s;
    PennyloomApp app(argc, argv);
    return app.run();
}
