// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <QUuid>

#include <vector>

class ModelStore;

// Writes the recurring rules' due occurrences while the window runs: once just after start-up,
// whenever an occurrence falls due (and at local midnight), and when asked (the timer's
// "pennyloom --remind" asks over the bus). The store writes each occurrence once whoever
// writes, so a trigger more than needed only costs a look.
// It also tells of the occurrences written in this window by anyone else: saving a rule whose
// first day has passed writes its back entries at once, and the user, who asked for one rule,
// hears how many entries that made and may take them back.
class OccurrenceCatchUp final : public QObject {
    Q_OBJECT

public:
    // More entries than this of one rule at once (weeks closed with a daily rule) are worth
    // telling the user about, with an undo.
    static constexpr int quietCount = 31;
    // However far the next due time lies, the clock is looked at again this often: the timer
    // runs on a monotonic clock that stands still while the machine sleeps, and the wall clock
    // can be set.
    static constexpr qint64 longestWaitMs = 60 * 60 * 1000;

    explicit OccurrenceCatchUp(ModelStore &store, QObject *parent = nullptr);

    // The first write, after the event loop has painted the window, and the timer.
    void start();
    // Writes what is due by Clock::now() and re-arms the timer; false when the write failed.
    bool writeDue();

    // How long from `now` until the next occurrence falls due or the next local midnight,
    // whichever is first, at most longestWaitMs and at least a second.
    qint64 msecsToNextCheck(const QDateTime &now) const;
    const QTimer &timer() const { return m_timer; }

Q_SIGNALS:
    // The entries of the rules that had more than quietCount occurrences written at once by
    // this catch-up, or every entry another writer in the window wrote.
    void caughtUp(const std::vector<QUuid> &ids);

private:
    void arm();
    void tell(const std::vector<QUuid> &ids);

    ModelStore &m_store;
    QTimer m_timer;
    // While writeDue() writes: its entries are told by its own count, not as another writer's.
    bool m_writing = false;
};
