// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportResult.h"

#include <QByteArray>
#include <QString>

class ImportCategorizer;

// QIF files: the records of bank, cash, credit card and other asset and liability accounts
// become rows (one per split where a record is split); lists of categories, classes and
// accounts, memorised records and investment accounts are counted by section and left out.
namespace QifReader {

// The first line that is not blank is a QIF section or option line ("!Type:Bank",
// "!Account", "!Option:AutoSwitch").
bool looksLikeQif(const QByteArray &bytes);

// Records of QIF fields ("D…", "T…", "^") with no section line before them, so the kind of
// account they belong to is unknown.
bool looksLikeHeaderlessQif(const QString &text);

// The rows, skipped rows, row errors, skipped sections, date order and unmatched categories of
// the text into result.
void read(const QString &text, const ImportCategorizer &categorizer, ImportDateOrder order,
          ImportResult *result);

} // namespace QifReader
