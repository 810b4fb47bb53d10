// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportTable.h"

#include <QByteArray>
#include <QChar>
#include <QStringList>
#include <QStringView>

// Splits CSV text into records. Quoted fields may hold delimiters, doubled quotes and line
// breaks. Damaged quoting never loses the rest of the file: a quote inside an unquoted field
// is an ordinary character, text after a closing quote is kept as written, and an opening
// quote that is never closed counts as an ordinary character, so the lines after it still
// read as lines.
namespace CsvTable {

// The delimiter of the text: comma, semicolon or tab, whichever splits the most of the first
// lines into the same number of fields (a preamble of single-field lines does not count);
// comma when none does.
QChar detectDelimiter(QStringView text);

// The records in order, each with the line it starts on; lines with nothing but blanks are
// left out. Line ends may be LF, CR LF or CR.
ImportTable parse(QStringView text, QChar delimiter);

// The same for UTF-8 text between begin and end. The table keeps the text itself and where
// each record starts, not a copy of every field.
ImportTable parseUtf8(const QByteArray &text, qsizetype begin, qsizetype end, char delimiter);

// The fields of the one record that starts at `at` in such a text; the record ends at its
// line end, or at end.
QStringList fieldsAt(const QByteArray &text, qsizetype at, qsizetype end, char delimiter);

// How many fields that record has, and how many of them are not blank, without making them.
void shapeAt(const QByteArray &text, qsizetype at, qsizetype end, char delimiter, int *fields, int *filled);

} // namespace CsvTable
