// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the reminder layer: why the daily timer could not be written or enabled.
// Silence or widen them with QT_LOGGING_RULES="pennyloom.reminder.*=false".
Q_DECLARE_LOGGING_CATEGORY(lcReminder)
