#pragma once

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <optional>

struct LedgerEntry;

// Stores one entry made outside the window. When a window holds the store it is handed over on
// the bus and the window stores it; otherwise the entry is written to the file directly under
// the data folder's lock. Several senders at once all land: the window answers them in turn,
// and the lock lets one writer in at a time.
class EntryHandOff final {
public:
    EntryHandOff(QString storePath, QDBusConnection bus);

    // Nullopt once the entry is in the store; otherwise why it is not. Gives up after timeout
    // when the store stays locked by a window that does not answer on the bus.
    std::optional<QString> deliver(const LedgerEntry &entry, std::chrono::milliseconds timeout);

private:
    enum class Outcome { stored, unreachable, refused };
    Outcome callWindow(const LedgerEntry &entry, int timeoutMs, QString *error);
    std::optional<QString> writeDirectly(const LedgerEntry &entry);

    QString m_storePath;
    QDBusConnection m_bus;
};
