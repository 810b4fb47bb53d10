// SPDX-License-Identifier: GPL-3.0-or-later
#include "LogCheckpoint.h"

#include <sqlite3.h>

void LogCheckpoint::start()
{
    wait();
    m_thread = std::thread([path = m_path] {
        sqlite3 *db = nullptr;
        // Never creates the file: a store that is gone by now has nothing to copy.
        if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) ==
            SQLITE_OK) {
            int logged = 0;
            int copied = 0;
            sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, &logged, &copied);
        }
        sqlite3_close_v2(db);
    });
}

void LogCheckpoint::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
