// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSet>
#include <QTimer>

#include <chrono>

class QWidget;

// Times an input to the end of the last paint it causes, across every window of the program.
// A paint is a top-level window handling an update request or an expose event: Qt lays the
// widgets out, paints them into the backing store and flushes it to the window, all inside
// that one event. Installed on the application, it sees every event, so it also tells when the
// program has gone quiet: nothing delivered for a while, hence no update and no deferred work
// (queued calls, zero timers, deferred deletes) left pending.
class PaintClock final : public QObject {
public:
    using Instant = std::chrono::steady_clock::time_point;

    // Quiet is how long nothing may happen before the program counts as idle.
    explicit PaintClock(std::chrono::milliseconds quiet, QObject *parent = nullptr);
    ~PaintClock() override;

    // Runs the event loop until the program has gone quiet; false when it has not within limit.
    bool settle(std::chrono::seconds limit);
    // The input is about to be delivered: paints before now no longer count.
    void start();
    // Milliseconds from start() to the end of the last paint since; negative when none.
    double millisecondsToLastPaint() const;
    // Whether the top-level widget painted since start().
    bool painted(const QWidget *window) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTimer m_heartbeat;
    std::chrono::milliseconds m_quiet;
    // PENNYLOOM_BENCH_TRACE set: every paint is written to stderr, to see which one ends a time
    // (paints after an input's settling belong to the untimed steps before the next input).
    bool m_trace;
    quint64 m_events = 0;
    bool m_anyPaint = false;
    Instant m_start{};
    Instant m_lastPaint{};
    QSet<const QObject *> m_paintedWindows;
};
