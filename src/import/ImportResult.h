// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ImportRow.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// Why a well-formed line of a bill is deliberately not imported.
enum class ImportSkipReason {
    // Neither income nor expense (收/支 "/" or "不计收支"): transfers between one's own
    // accounts (a QIF category in brackets), top-ups, balance funds, a zero amount.
    neutral,
    // The payment failed, was closed or cancelled, or never completed.
    failedOrClosed,
    // The whole amount went back.
    refunded,
    // A refund line whose purchase in the same file was left out as fully refunded.
    refundOfRefunded,
    // A refund line already taken off its purchase in the same file.
    refundNetted,
    // A total, subtotal or balance line of a statement (合计, 本页小计, 期末余额 …).
    summary,
    // A line of text inside the table that is no bill: one filled field, not a total.
    remark,
    // An amount in another currency than yuan; the skip's detail is the currency's code.
    foreignCurrency,
};

struct ImportSkip {
    int line = 0;
    ImportSkipReason reason = ImportSkipReason::neutral;
    // What the reason leaves open: the currency ("USD") of a foreignCurrency line.
    QString detail = {};

    // 「外币：USD」, else the reason's own text.
    QString text() const;
};

// How the day and the month of a date such as 03/04/2024 are ordered.
enum class ImportDateOrder {
    // From the file's own dates; month first (03/04 is March 4) when none of them tells.
    automatic,
    monthFirst,
    dayFirst,
};

// Records of a part of a file that holds no bills (a QIF list of categories or accounts, an
// investment account), counted rather than read.
struct ImportSkippedSection {
    // As the file names it: "Type:Cat", "Account", "Type:Invst", "INVSTMTRS".
    QString section;
    int records = 0;
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
    // "UTF-8", "UTF-8 BOM", "GB18030", "Latin-1" (QIF only), "xlsx" or "OFX".
    QString encoding;
    // In file order.
    std::vector<ImportRow> rows;
    std::vector<ImportSkip> skipped;
    std::vector<ImportRowError> errors;
    // Parts of the file left out whole, in file order, each named once.
    std::vector<ImportSkippedSection> skippedSections;
    // Every date of the file could be read day first as well as month first (a QIF file whose
    // slashed dates all have both numbers at most 12); dateOrder is the order the rows were
    // read in, which the caller can change by reading again with the other order.
    bool dateOrderAmbiguous = false;
    ImportDateOrder dateOrder = ImportDateOrder::automatic;
    // The file's own category names (a QIF "食品:杂货") that are none of ours, nor have a part
    // that is, nor a mapping the user chose; each once, in file order.
    QStringList unmatchedCategories;
    // Where the file is damaged though its rows were read (an OFX statement with a missing end
    // tag, a sheet whose rows before the damage the person chose to take), and the line or
    // row; empty for a whole file.
    QString damage;
    int damageLine = 0;

    bool ok() const { return fileError.isEmpty(); }
    int skippedFor(ImportSkipReason reason) const;
    // Each distinct skip text (「外币：USD」 and 「外币：HKD」 apart) with its count, in the order of
    // the reasons, then of first appearance.
    std::vector<std::pair<QString, int>> skippedByText() const;
    // The reason as the import sheet names it: 「不计收支」, 「交易失败或已关闭」, 「已全额退款」 …
    static QString reasonText(ImportSkipReason reason);
    // Every reason, in the order the counts are shown.
    static const std::vector<ImportSkipReason> &reasons();
};
