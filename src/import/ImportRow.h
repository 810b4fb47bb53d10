// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EntryKind.h"

#include <QDateTime>
#include <QString>

#include <QtGlobal>

// Where an imported file came from, as recognised from its content.
enum class ImportSource { wechat, alipay, csv, qif, ofx };

namespace ImportSources {

// "wechat", "alipay", "csv", "qif", "ofx": the text the store keeps with each imported entry.
inline QString id(ImportSource source)
{
    switch (source) {
    case ImportSource::wechat:
        return QStringLiteral("wechat");
    case ImportSource::alipay:
        return QStringLiteral("alipay");
    case ImportSource::qif:
        return QStringLiteral("qif");
    case ImportSource::ofx:
        return QStringLiteral("ofx");
    case ImportSource::csv:
        break;
    }
    return QStringLiteral("csv");
}

} // namespace ImportSources

// One bill line read from a file, ready to become an entry: income or expense, a positive
// amount exact to the cent, a local time and one of our categories.
struct ImportRow {
    ImportSource source = ImportSource::csv;
    // The line of the file the record starts on (1-based), or the sheet's row number.
    int line = 0;
    // The file's own transaction number (交易单号 / 交易订单号 / 交易号, an OFX statement's
    // "ACCTID/FITID"); empty for other files.
    QString transactionId;
    // The file's local time as an instant in the user's time zone.
    QDateTime time;
    EntryKind kind = EntryKind::expense;
    // The amount in cents, net of any part refund; always > 0 and within the entry range.
    qint64 cents = 0;
    // Trimmed texts of the file; empty where the file has none ("/" reads as empty).
    QString counterparty;
    QString merchandise;
    // The file's own category (WeChat 交易类型, Alipay 交易分类, a mapped category column, a QIF
    // category such as "食品:餐饮").
    QString sourceCategory;
    // One of LedgerCategories::forKind(kind).
    QString category;
    // The merchandise, else the counterparty; may be empty.
    QString note;

    // The nearest double to the cents as yuan, the same number AmountText reads from "12.34".
    double amount() const { return static_cast<double>(cents) / 100.0; }
};
