// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LedgerBusService.h"

#include <QDBusConnection>
#include <QString>

#include <chrono>
#include <functional>

class ModelStore;

// The one way a change made outside the window reaches the store. When a window holds the
// store the change is handed to it on the bus, so its screens and its undo follow; otherwise it
// is written to the file directly under the data folder's lock, by this process, which then
// also sends the budget notices the change brings about. A window that is still starting holds
// the lock before it answers, so both are tried until the deadline. What is handed over must
// make a second try harmless (an entry's id, a line's transaction number).
class StoreHandOff final {
public:
    enum class Status {
        done,
        notDone,
        // The window was handed the change but did not answer in time; it may still make it.
        unknown,
    };
    struct Result {
        Status status = Status::notDone;
        // Why, when the change is not known to be made.
        QString message;
    };
    // How the messages name what was handed over.
    struct Wording {
        // 「这笔账没有记下。」
        QString notDone;
        // 「这笔账已交给窗口，但窗口没有在限定时间内应答，不知道它是否已经记下。」
        QString handedOver;
    };
    // Calls the window with the time left; the reply and any refusal are the caller's to keep.
    using WindowCall = std::function<LedgerBusService::CallEnd(int timeoutMs, QString *error)>;
    // Writes the change into the store, opened and locked for it.
    using DirectWrite = std::function<Result(ModelStore &store)>;

    StoreHandOff(QString storePath, QDBusConnection bus);

    Result deliver(std::chrono::milliseconds timeout, const Wording &wording, const WindowCall &callWindow,
                   const DirectWrite &writeDirectly);

    // The store's own words for a write that failed, or a plain one naming the file.
    static QString writeFailure(const ModelStore &store, const QString &failure, const QString &notDone);

private:
    QString m_storePath;
    QDBusConnection m_bus;
};
