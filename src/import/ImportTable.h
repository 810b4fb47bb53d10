// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TableRecords.h"

// The records of a CSV text or of a workbook's first sheet, blank records left out.
struct ImportTable {
    TableRecords records;
    // Set for a workbook, whose date cells may hold day numbers instead of text.
    bool fromWorkbook = false;
    // The workbook counts its day numbers from 1904-01-01 instead of 1899-12-30.
    bool date1904 = false;
};
