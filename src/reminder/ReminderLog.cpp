#include "ReminderLog.h"

Q_LOGGING_CATEGORY(lcReminder, "pennyloom.reminder")
