// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

#include <QtGlobal>

class ImportCategorizer;
struct ImportResult;

// OFX and QFX statements (the SGML 1.x and the XML 2.x forms) through libofx: the
// transactions of bank and credit card accounts. libofx reads files only, so the bytes go
// through a private temporary file.
namespace OfxReader {

struct Transaction {
    // The line of its <STMTTRN>, or its place among the transactions when the lines cannot
    // be told.
    int line = 0;
    // <ACCTID> of the account it belongs to, and <FITID>, the bank's own id of it.
    QString accountId;
    QString fitId;
    QDateTime posted;
    // The posted text could not be read as a date.
    bool badDate = false;
    // Signed, rounded to the cent: negative is money out.
    qint64 cents = 0;
    bool hasAmount = false;
    QString name;
    QString memo;
};

struct Statement {
    std::vector<Transaction> transactions;
    // Transactions of investment accounts, which hold no bills.
    int investmentRecords = 0;
    // Why libofx refused the file; the caller names the file.
    QString error;
};

// The start of the bytes says OFX: an "OFXHEADER:" block, or XML with an OFX processing
// instruction or element.
bool looksLikeOfx(const QByteArray &bytes);

// Never fails silently: either error is set or every transaction libofx reported is there.
Statement load(const QByteArray &bytes);

// The statement's transactions as rows, skipped rows and row errors of result.
void read(const Statement &statement, const ImportCategorizer &categorizer, ImportResult *result);

} // namespace OfxReader
