// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfxReader.h"

#include "ImportAmount.h"
#include "ImportCategorizer.h"
#include "ImportResult.h"
#include "ImportTime.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <libofx/libofx.h>

#include <cmath>
#include <cstdlib>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// What the text itself says of one <STMTTRN>: libofx hands out the posted date as an instant
// (a date alone as 10:59 UTC) and the amount as a double, and neither says where it stands.
struct RawTransaction {
    int line = 0;
    QString posted;
    QString amount;
};

// The value of an element: up to the next tag or line end, for SGML and XML alike.
QString elementValue(const QString &block, QStringView tag)
{
    const qsizetype at = block.indexOf(tag, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    qsizetype end = at + tag.size();
    while (end < block.size() && block.at(end) != u'<' && block.at(end) != u'\n')
        ++end;
    return block.mid(at + tag.size(), end - at - tag.size()).trimmed();
}

std::vector<RawTransaction> rawTransactions(const QByteArray &bytes)
{
    // Tags and values that matter here are ASCII in every encoding OFX uses.
    const QString text = QString::fromLatin1(bytes);
    std::vector<RawTransaction> found;
    constexpr QStringView open = u"<STMTTRN>";
    qsizetype at = text.indexOf(open, 0, Qt::CaseInsensitive);
    qsizetype counted = 0;
    int line = 1;
    while (at >= 0) {
        line += static_cast<int>(QStringView(text).sliced(counted, at - counted).count(u'\n'));
        counted = at;
        const qsizetype next = text.indexOf(open, at + open.size(), Qt::CaseInsensitive);
        const QString block = text.mid(at, (next < 0 ? text.size() : next) - at);
        found.push_back({line, elementValue(block, u"<DTPOSTED>"), elementValue(block, u"<TRNAMT>")});
        at = next;
    }
    return found;
}

// "20240305", "20240305193000", "20240305193000.000[+8:CST]": the date and time as written,
// read as a local time of the user like every other bill file's; the zone is left aside so a
// bank's day stays that day.
QDateTime postedTime(const QString &text)
{
    static const QRegularExpression pattern(uR"(^(\d{4})(\d{2})(\d{2})(?:(\d{2})(\d{2})(\d{2})?)?)"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const QString date = u"%1-%2-%3"_s.arg(match.captured(1), match.captured(2), match.captured(3));
    if (!match.hasCaptured(4))
        return ImportTime::parse(date);
    const QString seconds = match.hasCaptured(6) ? match.captured(6) : u"00"_s;
    return ImportTime::parse(date, u"%1:%2:%3"_s.arg(match.captured(4), match.captured(5), seconds));
}

struct Collected {
    OfxReader::Statement *statement;
    std::vector<RawTransaction> raw;
    int reported = 0;
};

QString textOf(const char *text, int valid)
{
    return valid ? QString::fromUtf8(text).trimmed() : QString();
}

int onTransaction(const OfxTransactionData data, void *context)
{
    auto *collected = static_cast<Collected *>(context);
    ++collected->reported;
    const OfxAccountData *account = data.account_ptr;
    if ((account && account->account_type_valid &&
         (account->account_type == OfxAccountData::OFX_INVESTMENT ||
          account->account_type == OfxAccountData::OFX_401K)) ||
        data.invtransactiontype_valid) {
        ++collected->statement->investmentRecords;
        return 0;
    }
    OfxReader::Transaction transaction;
    transaction.line = collected->reported;
    transaction.accountId = account && account->account_number_valid
                                ? textOf(account->account_number, 1)
                                : textOf(data.account_id, data.account_id_valid);
    transaction.fitId = textOf(data.fi_id, data.fi_id_valid);
    transaction.name = textOf(data.name, data.name_valid);
    transaction.memo = textOf(data.memo, data.memo_valid);
    // The entry range, as ImportAmount keeps it.
    if (data.amount_valid && std::isfinite(data.amount) && std::fabs(data.amount) < 1e12) {
        transaction.cents = std::llround(data.amount * 100.0);
        transaction.hasAmount = std::llabs(transaction.cents) <= 99'999'999'999'999;
    }
    if (data.date_posted_valid)
        transaction.posted = QDateTime::fromSecsSinceEpoch(data.date_posted);
    else
        transaction.badDate = true;
    collected->statement->transactions.push_back(std::move(transaction));
    return 0;
}

// libofx keeps its message switches in globals, so one file at a time.
QMutex &libofxLock()
{
    static QMutex lock;
    return lock;
}

} // namespace

bool OfxReader::looksLikeOfx(const QByteArray &bytes)
{
    QByteArrayView start(bytes);
    if (start.startsWith("\xEF\xBB\xBF"))
        start = start.sliced(3);
    start = start.trimmed();
    const QByteArray head = start.first(std::min<qsizetype>(start.size(), 4096)).toByteArray().toUpper();
    if (head.startsWith("OFXHEADER") || head.startsWith("<OFX>"))
        return true;
    return head.startsWith("<?XML") && (head.contains("<?OFX") || head.contains("<OFX>"));
}

OfxReader::Statement OfxReader::load(const QByteArray &bytes)
{
    Statement statement;
    QTemporaryFile file;
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        statement.error = u"无法写入临时文件：%1"_s.arg(file.errorString());
        return statement;
    }
    Collected collected{&statement, rawTransactions(bytes), 0};
    int status = 0;
    {
        const QMutexLocker locker(&libofxLock());
        // libofx prints every message to stderr unless told not to; its verdict is the status.
        ofx_PARSER_msg = ofx_DEBUG_msg = ofx_DEBUG1_msg = ofx_DEBUG2_msg = ofx_DEBUG3_msg = 0;
        ofx_DEBUG4_msg = ofx_DEBUG5_msg = ofx_STATUS_msg = ofx_INFO_msg = ofx_WARNING_msg = ofx_ERROR_msg = 0;
        LibofxContextPtr context = libofx_get_new_context();
        ofx_set_transaction_cb(context, onTransaction, &collected);
        status = libofx_proc_file(context, QFile::encodeName(file.fileName()).constData(), OFX);
        libofx_free_context(context);
    }
    if (status != 0) {
        statement = Statement();
        statement.error = u"不是能读取的 OFX 对账单，文件可能不完整或已损坏"_s;
        return statement;
    }
    // libofx reports the transactions in file order; where it reported as many as the text
    // has, each one's line, date and amount are taken from the text.
    if (collected.raw.size() == static_cast<size_t>(collected.reported)) {
        for (Transaction &transaction : statement.transactions) {
            const RawTransaction &raw = collected.raw[static_cast<size_t>(transaction.line - 1)];
            transaction.line = raw.line;
            if (const QDateTime posted = postedTime(raw.posted); posted.isValid()) {
                transaction.posted = posted;
                transaction.badDate = false;
            }
            if (const std::optional<qint64> cents = ImportAmount::cents(raw.amount)) {
                transaction.cents = *cents;
                transaction.hasAmount = true;
            }
        }
    }
    return statement;
}

void OfxReader::read(const Statement &statement, const ImportCategorizer &categorizer, ImportResult *result)
{
    if (statement.investmentRecords > 0)
        result->skippedSections.push_back({u"INVSTMTRS"_s, statement.investmentRecords});
    QHash<QString, QString> categories;
    for (const Transaction &transaction : statement.transactions) {
        if (transaction.badDate || !transaction.posted.isValid()) {
            result->errors.push_back({transaction.line, u"缺少入账日期或日期无法读取"_s});
            continue;
        }
        if (!transaction.hasAmount) {
            result->errors.push_back({transaction.line, u"缺少金额或金额无法读取"_s});
            continue;
        }
        if (transaction.cents == 0) {
            result->skipped.push_back({transaction.line, ImportSkipReason::neutral});
            continue;
        }
        ImportRow row;
        row.source = ImportSource::ofx;
        row.line = transaction.line;
        if (!transaction.fitId.isEmpty())
            row.transactionId = transaction.accountId + u'/' + transaction.fitId;
        row.time = transaction.posted;
        row.kind = transaction.cents < 0 ? EntryKind::expense : EntryKind::income;
        row.cents = transaction.cents < 0 ? -transaction.cents : transaction.cents;
        row.counterparty = transaction.name;
        row.merchandise = transaction.memo;
        row.note = row.merchandise.isEmpty() ? row.counterparty : row.merchandise;
        const QString key = row.merchandise + QChar(0x1f) + row.counterparty +
                            (row.kind == EntryKind::income ? u"\x1f+"_s : u"\x1f-"_s);
        auto known = categories.constFind(key);
        if (known == categories.cend())
            known = categories.insert(key, categorizer.categoryFor(row));
        row.category = known.value();
        result->rows.push_back(std::move(row));
    }
}
