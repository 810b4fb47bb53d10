// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

#include <QtGlobal>

class ImportCategorizer;
struct ImportResult;

// OFX and QFX statements (the SGML 1.x and the XML 2.x forms): the transactions of bank and
// credit card accounts, read by our own reader of the markup (OfxMarkup) in one pass.
namespace OfxReader {

struct Transaction {
    // The line of its <STMTTRN>.
    int line = 0;
    // <ACCTID> of the account it belongs to, and <FITID>, the bank's own id of it.
    QString accountId;
    QString fitId;
    // <DTPOSTED> and <TRNAMT> as written, read by read() so a text that does not read exactly
    // becomes an unreadable line with its reason.
    QString posted;
    QString amount;
    QString name;
    QString memo;
    // Why the transaction cannot be read whole (the file ends inside it); empty when it can.
    QString fault;
};

struct Statement {
    std::vector<Transaction> transactions;
    // Transactions of investment accounts, which hold no bills.
    int investmentRecords = 0;
    // Why the file is no statement that can be read, naming the line where reading stopped; the
    // caller names the file.
    QString error;
    // The first place where the markup is damaged (an end tag missing or without its start, a
    // cut) though the transactions still read, its line, and how many such places there are.
    QString damage;
    int damageLine = 0;
    int damages = 0;
};

// The start of the bytes says OFX: an "OFXHEADER:" block, or XML with an OFX processing
// instruction or element.
bool looksLikeOfx(const QByteArray &bytes);

// Never fails silently: either error is set or every transaction of the file is there. Bytes
// that are valid UTF-8 are read as UTF-8 whatever the header says (files are often re-saved
// without their header being changed); others in the header's character set.
Statement load(const QByteArray &bytes);

// "20240305", "20240305193000", "20240305193000.000[+8:CST]": the date and time as written,
// read as a local time of the user like every other bill file's; the zone is left aside so a
// bank's day stays that day. Invalid for any text that does not read exactly, an impossible
// day or time included.
QDateTime postedTime(const QString &text);

// "-25.50", "+8000", "12,5" (a decimal comma): the signed cents; nothing for any other text or
// more than two decimals that are not zeros or an amount past the entry range.
std::optional<qint64> cents(const QString &text);

// The statement's transactions as rows, skipped rows and row errors of result.
void read(const Statement &statement, const ImportCategorizer &categorizer, ImportResult *result);

} // namespace OfxReader
