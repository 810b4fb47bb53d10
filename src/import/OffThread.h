// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Runs work on a thread of its own and hands its result to done on the context's thread, so a
// window never waits on a file. When the context is gone by then, the result is dropped; the
// thread still ends and cleans up after itself.
namespace OffThread {

template <typename Result>
void run(QObject *context, std::function<Result()> work, std::function<void(Result)> done)
{
    auto result = std::make_shared<std::optional<Result>>();
    QThread *thread = QThread::create([result, work = std::move(work)] { *result = work(); });
    QObject::connect(thread, &QThread::finished, context, [result, done = std::move(done)] {
        if (*result)
            done(std::move(**result));
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

} // namespace OffThread
