// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaintClock.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds tick(5);

// The top-level widget a paint event belongs to, or nullptr when the receiver is not a window.
const QObject *windowOf(QObject *receiver)
{
    if (receiver->isWidgetType())
        return static_cast<QWidget *>(receiver)->isWindow() ? receiver : nullptr;
    if (!receiver->isWindowType())
        return nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->windowHandle() == receiver)
            return widget;
    }
    return receiver;
}

} // namespace

PaintClock::PaintClock(std::chrono::milliseconds quiet, QObject *parent)
    : QObject(parent), m_quiet(quiet), m_trace(qEnvironmentVariableIsSet("PENNYLOOM_BENCH_TRACE"))
{
    m_heartbeat.setTimerType(Qt::PreciseTimer);
    m_heartbeat.setInterval(tick);
    qApp->installEventFilter(this);
}

PaintClock::~PaintClock()
{
    qApp->removeEventFilter(this);
}

bool PaintClock::settle(std::chrono::seconds limit)
{
    QEventLoop loop;
    const auto deadline = SteadyClock::now() + limit;
    const long needed = static_cast<long>(m_quiet / tick);
    quint64 seen = m_events;
    long quietTicks = 0;
    bool timedOut = false;
    const QMetaObject::Connection beat = connect(&m_heartbeat, &QTimer::timeout, &loop, [&] {
        if (m_events != seen) {
            seen = m_events;
            quietTicks = 0;
        } else if (++quietTicks >= needed) {
            loop.quit();
        }
        if (SteadyClock::now() > deadline) {
            timedOut = true;
            loop.quit();
        }
    });
    m_heartbeat.start();
    // Input is sent from outside any event loop, so what it deletes later would wait for a loop
    // at that level, which only the program's own loop is: it runs them on its next turn, and
    // so does this. Left alone, every closed sheet stayed in memory until the run's end.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A loop of its own, as the program's: deletions deferred in it run in it as they would there.
    loop.exec();
    m_heartbeat.stop();
    disconnect(beat);
    return !timedOut;
}

void PaintClock::start()
{
    m_anyPaint = false;
    m_paintedWindows.clear();
    m_start = SteadyClock::now();
    if (m_trace)
        std::fprintf(stderr, "input\n");
}

double PaintClock::millisecondsToLastPaint() const
{
    if (!m_anyPaint)
        return -1;
    return std::chrono::duration<double, std::milli>(m_lastPaint - m_start).count();
}

bool PaintClock::painted(const QWidget *window) const
{
    return m_paintedWindows.contains(window);
}

bool PaintClock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_heartbeat)
        return false;
    ++m_events;
    const QEvent::Type type = event->type();
    // A tooltip answers the pointer resting after the click, not the click.
    if (type == QEvent::ToolTip)
        return true;
    if (type != QEvent::UpdateRequest && type != QEvent::Expose)
        return false;
    const QObject *window = windowOf(watched);
    if (!window)
        return false;
    // The window paints and flushes now, so the time read after it is the end of the paint;
    // the event has then been handled and goes no further.
    watched->event(event);
    // A window being hidden is told so by an expose event too; nothing is drawn then.
    if (type == QEvent::Expose && watched->isWindowType() && !static_cast<QWindow *>(watched)->isExposed())
        return true;
    m_lastPaint = SteadyClock::now();
    m_anyPaint = true;
    m_paintedWindows.insert(window);
    if (m_trace)
        std::fprintf(stderr, "  %s painted, %.1f ms after the input\n", window->metaObject()->className(),
                     std::chrono::duration<double, std::milli>(m_lastPaint - m_start).count());
    return true;
}
