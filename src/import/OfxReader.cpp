// SPDX-License-Identifier: GPL-3.0-or-later
#include "OfxReader.h"

#include "ImportCategorizer.h"
#include "ImportResult.h"
#include "ImportTime.h"
#include "OfxMarkup.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

#include <unicode/ucnv.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The character set the header names: CHARSET (or ENCODING) of a 1.x header, the encoding of a
// 2.x XML declaration; ICU's name for it, Windows-1252 where the header names none.
QByteArray declaredCharset(QByteArrayView bytes)
{
    const QByteArray head = bytes.first(std::min<qsizetype>(bytes.size(), 4096)).toByteArray().toUpper();
    const auto valueAfter = [&head](QByteArrayView key, QByteArrayView ends) -> QByteArray {
        const qsizetype at = head.indexOf(key);
        if (at < 0)
            return {};
        qsizetype end = at + key.size();
        while (end < head.size() && !ends.contains(head.at(end)))
            ++end;
        return head.mid(at + key.size(), end - at - key.size()).trimmed();
    };
    QByteArray name = valueAfter("ENCODING=\"", "\"?");
    if (name.isEmpty()) {
        name = valueAfter("CHARSET:", "\r\n<");
        if (name.isEmpty() || name == "NONE")
            name = valueAfter("ENCODING:", "\r\n<") == "UTF-8" ? QByteArray("UTF-8") : QByteArray();
    }
    if (name.isEmpty() || name == "USASCII")
        return "windows-1252";
    bool number = false;
    name.toInt(&number);
    return number ? "windows-" + name : name;
}

QString converted(QByteArrayView bytes, const QByteArray &charset)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, decltype(&ucnv_close)> converter(ucnv_open(charset.constData(), &status),
                                                                 &ucnv_close);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        converter.reset(ucnv_open("windows-1252", &status));
        if (U_FAILURE(status))
            return QString::fromLatin1(bytes);
    }
    // No character set OFX names takes more UTF-16 units than bytes.
    QString text(bytes.size() + 1, Qt::Uninitialized);
    const int32_t length = ucnv_toUChars(converter.get(), reinterpret_cast<UChar *>(text.data()),
                                         static_cast<int32_t>(text.size()), bytes.data(),
                                         static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        return QString::fromLatin1(bytes);
    text.truncate(length);
    return text;
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
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (utf8.hasError())
        text = converted(view, declaredCharset(view));
    const qsizetype bodyStart = text.indexOf(u'<');
    static const QRegularExpression ofxElement(u"<OFX[\\s>]"_s, QRegularExpression::CaseInsensitiveOption);
    if (bodyStart < 0 || !ofxElement.match(text, bodyStart).hasMatch()) {
        const qsizetype lines = text.count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
        statement.error = u"读到第 %1 行的文件末尾也没有 <OFX> 元素，不是 OFX 对账单"_s.arg(lines);
        return statement;
    }
    const int firstLine = 1 + static_cast<int>(QStringView(text).first(bodyStart).count(u'\n'));
    OfxMarkup::read(QStringView(text).sliced(bodyStart), firstLine, &statement);
    bool anyWhole = false;
    for (const Transaction &transaction : statement.transactions)
        anyWhole = anyWhole || transaction.fault.isEmpty();
    if (!anyWhole && !statement.damage.isEmpty()) {
        const QString damage = statement.damage;
        statement = Statement();
        statement.error = u"不是能读取的 OFX 对账单：%1"_s.arg(damage);
    }
    return statement;
}

QDateTime OfxReader::postedTime(const QString &text)
{
    static const QRegularExpression pattern(
        uR"(^(\d{4})(\d{2})(\d{2})(?:(\d{2})(\d{2})(?:(\d{2})(?:\.\d{1,3})?)?)?(?:\[\s*[-+]?\d{1,2}(?:\.\d{1,2})?(?::[A-Za-z ]{1,10})?\s*\])?$)"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const QDate day(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
    if (!day.isValid())
        return {};
    const QString date = u"%1-%2-%3"_s.arg(match.captured(1), match.captured(2), match.captured(3));
    if (!match.hasCaptured(4))
        return ImportTime::parse(date);
    const QString seconds = match.hasCaptured(6) ? match.captured(6) : u"00"_s;
    if (!QTime(match.captured(4).toInt(), match.captured(5).toInt(), seconds.toInt()).isValid())
        return {};
    return ImportTime::parse(date, u"%1:%2:%3"_s.arg(match.captured(4), match.captured(5), seconds));
}

std::optional<qint64> OfxReader::cents(const QString &text)
{
    static const QRegularExpression pattern(uR"(^\s*([-+]?)(\d{0,13})(?:[.,](\d*))?\s*$)"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch() || (match.capturedLength(2) == 0 && match.capturedLength(3) == 0))
        return std::nullopt;
    const QString fraction = match.captured(3);
    for (qsizetype i = 2; i < fraction.size(); ++i) {
        if (fraction.at(i) != u'0')
            return std::nullopt;
    }
    qint64 value = match.captured(2).toLongLong() * 100;
    if (!fraction.isEmpty())
        value += fraction.at(0).digitValue() * 10 + (fraction.size() > 1 ? fraction.at(1).digitValue() : 0);
    if (value > 99'999'999'999'999)
        return std::nullopt;
    return match.captured(1) == u"-" ? -value : value;
}

void OfxReader::read(const Statement &statement, const ImportCategorizer &categorizer, ImportResult *result)
{
    if (statement.investmentRecords > 0)
        result->skippedSections.push_back({u"INVSTMTRS"_s, statement.investmentRecords});
    QHash<QString, QString> categories;
    // A statement has many transactions a day: each posted text is read once.
    QHash<QString, QDateTime> times;
    for (const Transaction &transaction : statement.transactions) {
        if (!transaction.fault.isEmpty()) {
            result->errors.push_back({transaction.line, transaction.fault});
            continue;
        }
        auto time = times.constFind(transaction.posted);
        if (time == times.cend())
            time = times.insert(transaction.posted, postedTime(transaction.posted));
        const QDateTime posted = time.value();
        if (!posted.isValid()) {
            result->errors.push_back(
                {transaction.line, transaction.posted.isEmpty()
                                       ? u"缺少入账日期"_s
                                       : u"入账日期“%1”无法读取"_s.arg(transaction.posted)});
            continue;
        }
        const std::optional<qint64> amount = cents(transaction.amount);
        if (!amount) {
            result->errors.push_back({transaction.line, transaction.amount.isEmpty()
                                                            ? u"缺少金额"_s
                                                            : u"金额“%1”无法读取"_s.arg(transaction.amount)});
            continue;
        }
        if (*amount == 0) {
            result->skipped.push_back({transaction.line, ImportSkipReason::neutral});
            continue;
        }
        ImportRow row;
        row.source = ImportSource::ofx;
        row.line = transaction.line;
        if (!transaction.fitId.isEmpty())
            row.transactionId = transaction.accountId + u'/' + transaction.fitId;
        row.time = posted;
        row.kind = *amount < 0 ? EntryKind::expense : EntryKind::income;
        row.cents = *amount < 0 ? -*amount : *amount;
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
