// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/ImportPreview.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <optional>

class ModelStore;
struct ImportFile;

// Imports a file's new lines from outside the window, the way EntryHandOff stores one entry:
// when a window holds the store it is handed the file's bytes on the bus (never its path, which
// it would read again, on its own terms, and perhaps find changed or never ending) and imports
// them itself, so its screens and its undo follow; otherwise the lines are imported into the
// store directly under the data folder's lock. Lines imported before are passed over by either,
// so a second try never imports a line twice.
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

    // The file as read once, and its bytes for a window. The file is read against the store
    // once: the store the lines go into when they are written here, else a look at the
    // window's store before it is handed the bytes. That reading is left in *preview, for the
    // report; it says what was imported. Its rows are kept only when keepRows is set (a report
    // that lists them); the counts always are.
    Result deliver(const ImportFile &file, const QByteArray &bytes, const Reading &reading,
                   std::chrono::milliseconds timeout, std::optional<ImportPreview> *preview, bool keepRows);

    // Imports the preview's new lines in one transaction, leaving out possible duplicates; how
    // many were written, or nothing and why. Without keepRows the preview's rows are let go
    // before the write, which is when the store grows.
    static std::optional<int> importInto(ModelStore &store, ImportPreview &preview, QString *error,
                                         bool keepRows);

private:
    QString m_storePath;
    QDBusConnection m_bus;
};
