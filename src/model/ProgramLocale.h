#pragma once

#include <QLocale>

// The program's own language: its screens and messages are Simplified Chinese.
namespace ProgramLocale {

// Chinese as written in China, built once.
const QLocale &chinese();
// Makes it the default when the session has no locale of its own (C/POSIX), which would print
// yuan as "CN¥ 1234.50" and dates in the root locale's style. A session's own locale is kept.
void applyWhenUnset();

} // namespace ProgramLocale
