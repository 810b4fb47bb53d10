// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <thread>

// Copies what the write-ahead log holds into the store file, on a thread and a connection of
// its own. After a large write (an import, a long catch-up) the log holds tens of megabytes of
// pages; copying them back in the committing thread would keep the window waiting for the
// disk once more, after the rows are already safe in the log. The copy is SQLite's passive
// checkpoint: it never waits for or blocks the store's own reads and writes, and what it does
// not finish the next commit's checkpoint takes up.
class LogCheckpoint final {
public:
    explicit LogCheckpoint(QByteArray path) : m_path(std::move(path)) {}
    ~LogCheckpoint() { wait(); }
    LogCheckpoint(const LogCheckpoint &) = delete;
    LogCheckpoint &operator=(const LogCheckpoint &) = delete;

    // Starts a copy, once the previous one has ended.
    void start();
    // Returns when no copy is running.
    void wait();

private:
    QByteArray m_path;
    std::thread m_thread;
};
