// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "OfxReader.h"

#include <QStringView>

// The body of an OFX statement read in one pass, whether SGML (1.x, where an element that holds
// a value needs no end tag) or XML (2.x): tags, text with its character references, comments,
// processing instructions and CDATA. An element whose end tag is missing is closed by the end
// tag of an element around it, or by the next <STMTTRN> for a transaction, and the first such
// place is kept as the statement's damage; the transactions still read. A transaction that the
// end of the file cuts off is kept with its fault rather than read.
namespace OfxMarkup {

// The transactions, investment records and damage of the body into statement; firstLine is
// the line of the file the body starts on.
void read(QStringView body, int firstLine, OfxReader::Statement *statement);

} // namespace OfxMarkup
