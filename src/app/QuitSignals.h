// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT (logout, Ctrl+C in a terminal) into a Qt signal, so the program
// closes its window and leaves the event loop as a normal quit does: the window state is
// saved and the data folder's lock released on the way out. The signal handler only writes
// one byte to a socket; everything else happens on the event loop.
class QuitSignals final : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

Q_SIGNALS:
    void quitRequested();

private:
    QSocketNotifier *m_notifier = nullptr;
};
