// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoreIndexes.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

StoreIndexes::StoreIndexes(ModelStore &store, QObject *parent)
    : QObject(parent), m_totals(store), m_ledger(store)
{
}

void StoreIndexes::prepareAfterFirstPaint(QWidget &window)
{
    if (m_window)
        return;
    m_window = &window;
    window.installEventFilter(this);
}

bool StoreIndexes::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint) {
        m_window->removeEventFilter(this);
        // Two turns of the event loop: what the first paint itself set going (the start-up
        // measurement's exit, the first catch-up of recurring entries) runs first, and the
        // painted frame is on the screen before the ledger takes the thread.
        QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, &StoreIndexes::prepare); });
    }
    return false;
}

void StoreIndexes::prepare()
{
    m_ledger.sync();
}
