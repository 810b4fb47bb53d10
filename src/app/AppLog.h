// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Diagnostics of the program's start-up that do not stop it: a narrowed permission, a missed
// daily backup, a session bus that does not answer. What stops start-up is said to the user
// directly, not through this category.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
