// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ColumnMapping.h"
#include "import/ImportResult.h"

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

    // How a table file is read when the caller says so (the command line's --map and
    // --date-order); by default as the import sheet would first read it.
    struct Reading {
        std::optional<ColumnMapping> mapping;
        ImportDateOrder dateOrder = ImportDateOrder::automatic;
    };

    ImportHandOff(QString storePath, QDBusConnection bus);

    // The path must be absolute: the window reads it from its own working folder.
    Result deliver(const QString &path, std::chrono::milliseconds timeout);
    Result deliver(const QString &path, const Reading &reading, std::chrono::milliseconds timeout);

    // Reads the file against the store and imports its new lines in one transaction, leaving
    // out possible duplicates; how many were written, or nothing and why.
    static std::optional<int> importInto(ModelStore &store, const QString &path, QString *error);
    static std::optional<int> importInto(ModelStore &store, const QString &path, const Reading &reading,
                                         QString *error);

private:
    enum class Outcome { imported, unreachable, unanswered, refused };
    Outcome callWindow(const QString &path, const Reading &reading, int timeoutMs, int *count,
                       QString *error);
    // The budget notices the import brings about are added to `notices`.
    Result writeDirectly(const QString &path, const Reading &reading, std::vector<ReminderRequest> &notices);

    QString m_storePath;
    QDBusConnection m_bus;
};
