// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include <vector>

// One record of a table read from a file: the fields as written, untrimmed.
struct TableRecord {
    // The line the record starts on (1-based), or the sheet's row number.
    int line = 0;
    QStringList fields;
};

// The records of a CSV text or of a workbook's first sheet, blank records left out.
struct ImportTable {
    std::vector<TableRecord> records;
    // Set for a workbook, whose date cells may hold day numbers instead of text.
    bool fromWorkbook = false;
    // The workbook counts its day numbers from 1904-01-01 instead of 1899-12-30.
    bool date1904 = false;
};
