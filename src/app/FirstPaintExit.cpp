// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirstPaintExit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

void FirstPaintExit::watch(QWidget &window, const QStringList &arguments)
{
    if (arguments.contains(u"--quit-after-first-paint"_s))
        window.installEventFilter(new FirstPaintExit(&window));
}

bool FirstPaintExit::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        // After this paint has reached the screen; every change is already committed, so
        // skipping the destructors loses nothing.
        QTimer::singleShot(0, this, [] {
            std::fflush(nullptr);
            std::_Exit(0);
        });
    }
    return false;
}
