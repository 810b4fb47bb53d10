// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReminderPlatform.h"

ReminderPlatform::~ReminderPlatform() = default;
