// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <optional>
#include <vector>

class ModelStore;
struct ReminderRequest;

// Imports a file's new lines from outside the window, the way EntryHandOff stores one entry:
// when a window holds the store it is told the file's path on the bus and imports it itself, so
// its screens and its undo follow; otherwise the file is imported into the store directly under
// the data folder's lock. Lines imported before are passed over by either, so a second try
// never imports a line twice.
class ImportHandOff final {
public:
    enum class Status {
        imported,
        notImported,
        // The window was handed the file but did not answer in time; it may still import it.
        unknown,
    };
    struct Result {
        Status status = Status::notImported;
        // How many entries were written.
        int count = 0;
        // Why, when the file is not known to be imported.
        QString message;
    };

    ImportHandOff(QString storePath, QDBusConnection bus);

    // The path must be absolute: the window reads it from its own working folder. With
    // takeBeforeDamage, the lines before the damage of a damaged sheet are imported.
    Result deliver(const QString &path, std::chrono::milliseconds timeout, bool takeBeforeDamage = false);

    // Reads the file against the store and imports its new lines in one transaction, leaving
    // out possible duplicates; how many were written, or nothing and why.
    static std::optional<int> importInto(ModelStore &store, const QString &path, QString *error,
                                         bool takeBeforeDamage = false);

private:
    enum class Outcome { imported, unreachable, unanswered, refused };
    Outcome callWindow(const QString &path, bool takeBeforeDamage, int timeoutMs, int *count, QString *error);
    // The budget notices the import brings about are added to `notices`.
    Result writeDirectly(const QString &path, bool takeBeforeDamage, std::vector<ReminderRequest> &notices);

    QString m_storePath;
    QDBusConnection m_bus;
};
