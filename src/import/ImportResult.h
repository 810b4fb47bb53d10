// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportRow.h"

#include <QString>

#include <vector>

// Why a well-formed line of a bill is deliberately not imported.
enum class ImportSkipReason {
    // Neither income nor expense (收/支 "/" or "不计收支"): transfers between one's own
    // accounts, top-ups, balance funds.
    neutral,
    // The payment failed, was closed or cancelled, or never completed.
    failedOrClosed,
    // The whole amount went back.
    refunded,
};

struct ImportSkip {
    int line = 0;
    ImportSkipReason reason = ImportSkipReason::neutral;
};

// A line that should have been a bill but could not be read; the other lines still are.
struct ImportRowError {
    int line = 0;
    // A Chinese sentence saying what is wrong with the line, e.g. 「金额“12.x”不是有效的数字」.
    QString reason;
};

// Everything one reading of a file produced. When fileError is set nothing else is filled:
// the file as a whole could not be read, and the message names the file and the cause.
struct ImportResult {
    QString fileError;
    ImportSource source = ImportSource::csv;
    // "UTF-8", "UTF-8 BOM", "GB18030" or "xlsx".
    QString encoding;
    // In file order.
    std::vector<ImportRow> rows;
    std::vector<ImportSkip> skipped;
    std::vector<ImportRowError> errors;

    bool ok() const { return fileError.isEmpty(); }
    int skippedFor(ImportSkipReason reason) const;
    // The reason as the import sheet names it: 「不计收支」, 「交易失败或已关闭」, 「已全额退款」.
    static QString reasonText(ImportSkipReason reason);
};
