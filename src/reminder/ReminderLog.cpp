// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderLog.h"

Q_LOGGING_CATEGORY(lcReminder, "pennyloom.reminder")
