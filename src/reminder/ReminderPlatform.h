// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

// The daily notification as the platform is asked to show it.
struct ReminderRequest {
    QString identifier;
    QString title;
    QString body;
    // Local clock time of every day at which it fires.
    int hour = 0;
    int minute = 0;
};

// What the reminder needs of the desktop: whether notifications can be shown, and a daily
// repeating notification that outlives the program. Tests put a double in its place.
class ReminderPlatform {
public:
    virtual ~ReminderPlatform();

    // Asks whether notifications may be shown. The answer comes later (or at once), on the
    // thread that asked.
    virtual void requestAuthorization(std::function<void(bool granted)> answer) = 0;
    // Schedules the request; one with the same identifier replaces the earlier one.
    virtual void add(const ReminderRequest &request) = 0;
    // Drops every scheduled request of the program.
    virtual void removeAllPending() = 0;
};
