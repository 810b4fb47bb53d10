// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

class ModelStore;

// The application: makes the data folder private, takes its lock, opens the one store and makes
// the day's backup before any window, then shows the one main window.
// A store that cannot be opened stops start-up with a message naming the file and the
// error, and a non-zero exit status.
class PennyloomApp final : public QApplication {
    Q_OBJECT

public:
    PennyloomApp(int &argc, char **argv);

    int run();
    // pennyloom --restore FILE: replaces the store with a checked backup, keeping the replaced
    // store among the backups. Needs no window; runs under a QCoreApplication.
    static int restore(const QString &backup);
    // Tells the user in a box over the window when a change could not be saved; the box does
    // not hold up whatever emitted the failure.
    static void reportWriteFailures(ModelStore &store, QWidget &window);
    // The option that starts the window with the add form open, or opens it in the running one.
    static QString addOption();

private:
    // Reports why start-up stopped, on stderr and in a dialog, and gives the exit status.
    int fail(const QString &message);
};
