// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/ColumnMapping.h"
#include "import/ImportResult.h"

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QVariantList>

class ModelStore;
class QDBusConnection;
class QDBusMessage;
struct LedgerEntry;

// What the running window offers on the session bus: an entry recorded, or a file imported, from
// the command line (and the timer's catch-up, and the add form asked for) is handed to the window
// that holds the store, so the screens show it at once and no second
// process writes behind the window's back. The name carries a digest of the store's path, so
// windows on different data folders never answer for each other.
class LedgerBusService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.pennyloom.Ledger")

public:
    explicit LedgerBusService(ModelStore &store, QObject *parent = nullptr);

    static QString serviceName(const QString &storePath);
    static QString objectPath();
    static QString interfaceName();

    // How a call from the command line to the window holding the store ended.
    enum class CallEnd {
        answered,
        // No window holds the store, or it went away before it took the call.
        unreachable,
        // The window took the call and did not answer in time: it may have carried it out.
        unanswered,
        // The window answered with an error, which `error` then holds.
        refused,
    };
    // Calls the method on the window that holds the store at storePath, with the arguments;
    // `reply` holds the window's answer when it answered.
    static CallEnd callWindow(const QDBusConnection &bus, const QString &storePath, const QString &method,
                              const QVariantList &arguments, int timeoutMs, QDBusMessage *reply,
                              QString *error);

    // "auto", "dmy" or "mdy" for ImportWith, and back (automatic for any other text).
    static QString dateOrderText(ImportDateOrder order);
    static ImportDateOrder dateOrderOf(const QString &text);

    // Registers the object and the store's name; false when the bus refuses either.
    bool publish(const QDBusConnection &bus);

    // The fields of one entry, as the command line sends them; the date in milliseconds since
    // the epoch. An id already held counts as stored, so a sender that retries after losing
    // the answer never stores the entry twice.
    static LedgerEntry entryFromFields(const QString &id, double amount, const QString &kind,
                                       const QString &category, const QString &note, qint64 date);

public Q_SLOTS:
    // True when the entry is stored now, false when its id was stored before (that entry stays
    // as it is); otherwise a D-Bus error reply carries the reason.
    bool Add(const QString &id, double amount, const QString &kind, const QString &category,
             const QString &note, qlonglong date);
    // Imports the new lines of a file, given by its name and its bytes as the sender read
    // them, as the import sheet would with every new line ticked; how many entries were
    // written. The window reads no file for it: the bytes are read into rows on a worker
    // thread while the window goes on, and the answer comes once they are imported. An
    // unreadable file is an error reply naming it.
    int Import(const QString &fileName, const QByteArray &bytes);
    // The same with the table read by a column mapping (ColumnMapping::toText(), empty for the
    // remembered or guessed one), its dates in an order ("auto", "dmy", "mdy"), and with
    // takeBeforeDamage the lines before the damage of a damaged sheet, which Import refuses.
    int ImportWith(const QString &fileName, const QByteArray &bytes, const QString &mapping,
                   const QString &dateOrder, bool takeBeforeDamage);
    // Writes the recurring rules' due occurrences now, before answering: the daily timer's run
    // asks the window for it rather than writing behind its back.
    void CatchUp();
    // Brings the window forward with the add form open: "pennyloom --add" while it runs.
    void ShowAddForm();

Q_SIGNALS:
    // Connected directly, so that the answer to CatchUp waits for the write.
    void catchUpRequested();
    void addFormRequested();

private:
    int importBytes(const QString &fileName, const QByteArray &bytes,
                    const std::optional<ColumnMapping> &mapping, ImportDateOrder dateOrder,
                    bool takeBeforeDamage);
    ModelStore &m_store;
};
