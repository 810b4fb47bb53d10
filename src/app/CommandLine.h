// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

struct ParsedLedgerEntry;

// The terminal's way in: "add" records a sentence, "parse" shows what a sentence would
// record, "export" writes the workbook, "import" reads a bill into the books; --help and
// --version. Runs without a display.
namespace CommandLine {

// Whether the arguments name a command (any first word that is not an option) or ask for
// help or the version. Other options, and no arguments at all, start the window.
bool handles(int argc, char **argv);

// The whole run of a command; the process's exit status.
int run(int &argc, char **argv);

// Four labelled lines: amount, kind, category and note.
QString describe(const ParsedLedgerEntry &draft);
// One compact JSON object with amount (a number), kind, category and note.
QByteArray json(const ParsedLedgerEntry &draft);

} // namespace CommandLine
