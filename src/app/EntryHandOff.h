// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

#include <chrono>

struct LedgerEntry;

// Stores one entry made outside the window. When a window holds the store it is handed over on
// the bus and the window stores it; otherwise the entry is written to the file directly under
// the data folder's lock. Several senders at once all land: the window answers them in turn,
// and the lock lets one writer in at a time. The entry's id makes a second try harmless: the
// window and the direct write both pass over an id they already hold.
class EntryHandOff final {
public:
    enum class Status {
        stored,
        notStored,
        // The window was handed the entry but did not answer in time; it may still store it.
        unknown,
    };
    struct Result {
        Status status = Status::notStored;
        // Why, when the entry is not known to be stored.
        QString message;
        // Stored before, under the same id: the store keeps that entry, not this one.
        bool alreadyStored = false;
    };

    EntryHandOff(QString storePath, QDBusConnection bus);

    // Refuses what the window's forms would refuse. Gives up after timeout when the store stays
    // locked by a window that does not answer on the bus.
    Result deliver(const LedgerEntry &entry, std::chrono::milliseconds timeout);

private:
    QString m_storePath;
    QDBusConnection m_bus;
};
