// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

// The program's own language: its screens and messages are Simplified Chinese.
namespace ProgramLocale {

// Chinese as written in China, built once.
const QLocale &chinese();
// Makes it the default when the session has no locale of its own (C/POSIX), which would print
// yuan as "CN¥ 1234.50" and dates in the root locale's style. A session's own locale is kept.
void applyWhenUnset();
// Loads Qt's own Chinese texts (the file dialog, message boxes, standard buttons, the context
// menus of text fields) into `app`, which owns them from then on. False when the system has no
// translations of Qt; its texts then stay in English and nothing else changes.
bool installQtTranslations(QCoreApplication &app);

} // namespace ProgramLocale
