// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportReader.h"

#include "ImportAmount.h"
#include "ImportNotes.h"
#include "ImportTime.h"
#include "QifReader.h"
#include "RefundMatcher.h"
#include "model/LedgerCategories.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

// The columns of a payment-service layout, -1 where it has none.
struct BillColumns {
    int time = -1;
    int paidTime = -1;
    int sourceCategory = -1;
    int counterparty = -1;
    int merchandise = -1;
    int direction = -1;
    int amount = -1;
    int status = -1;
    int transactionId = -1;
    int refund = -1;
};

int columnNamed(const QStringList &header, std::initializer_list<QStringView> names)
{
    for (const QStringView name : names) {
        const qsizetype index = header.indexOf(name.toString());
        if (index >= 0)
            return static_cast<int>(index);
    }
    return -1;
}

BillColumns billColumns(const ImportFile &file)
{
    const QStringList &h = file.header;
    BillColumns c;
    c.counterparty = columnNamed(h, {u"交易对方"});
    c.direction = columnNamed(h, {u"收/支"});
    switch (file.layout) {
    case ImportFile::Layout::wechat:
        c.time = columnNamed(h, {u"交易时间"});
        c.sourceCategory = columnNamed(h, {u"交易类型"});
        c.merchandise = columnNamed(h, {u"商品"});
        c.amount = columnNamed(h, {u"金额(元)"});
        c.status = columnNamed(h, {u"当前状态"});
        c.transactionId = columnNamed(h, {u"交易单号"});
        break;
    case ImportFile::Layout::alipay:
        c.time = columnNamed(h, {u"交易时间"});
        c.sourceCategory = columnNamed(h, {u"交易分类"});
        c.merchandise = columnNamed(h, {u"商品说明"});
        c.amount = columnNamed(h, {u"金额"});
        c.status = columnNamed(h, {u"交易状态"});
        c.transactionId = columnNamed(h, {u"交易订单号"});
        break;
    case ImportFile::Layout::alipayOlder:
        c.time = columnNamed(h, {u"交易创建时间"});
        c.paidTime = columnNamed(h, {u"付款时间"});
        c.merchandise = columnNamed(h, {u"商品名称"});
        c.amount = columnNamed(h, {u"金额（元）"});
        c.status = columnNamed(h, {u"交易状态"});
        c.transactionId = columnNamed(h, {u"交易号"});
        c.refund = columnNamed(h, {u"成功退款（元）"});
        break;
    case ImportFile::Layout::table:
    case ImportFile::Layout::qif:
    case ImportFile::Layout::ofx:
        break;
    }
    return c;
}

// The trimmed field, empty for a column the file lacks; "/" is the services' empty.
QString field(const TableRecord &record, int column)
{
    if (column < 0 || column >= record.fields.size())
        return {};
    QString text = record.fields.at(column).trimmed();
    if (text == u"/")
        return {};
    return text;
}

// An amount field; a bank's "-" in the column it does not use is no amount.
QString amountField(const TableRecord &record, int column)
{
    QString text = field(record, column);
    if (text == u"-" || text == u"--" || text == u"—" || text == u"－")
        return {};
    return text;
}

int lastColumn(std::initializer_list<int> columns)
{
    return std::max(columns);
}

// A summary or closing line inside the table (「共 12 笔记录」, a dashed rule): one field filled.
bool isCommentLine(const TableRecord &record)
{
    int filled = 0;
    for (const QString &text : record.fields)
        filled += text.trimmed().isEmpty() ? 0 : 1;
    return filled <= 1;
}

QDateTime timeOf(const ImportFile &file, const QString &text)
{
    if (file.table.fromWorkbook) {
        if (const QDateTime day = ImportTime::fromWorkbookDay(text, file.table.date1904); day.isValid())
            return day;
    }
    return ImportTime::parse(text);
}

// The amount of a field. A workbook's number cell holds the binary value written out with up to
// seventeen digits (25.3 as "25.300000000000001"); one that lies within a hair of a whole cent is
// that cent. Text cells and CSV fields must be exact.
std::optional<qint64> amountOf(const ImportFile &file, const QString &text)
{
    if (const std::optional<qint64> cents = ImportAmount::cents(text))
        return cents;
    if (!file.table.fromWorkbook)
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) >= 1e12)
        return std::nullopt;
    const double cents = value * 100.0;
    const double whole = std::round(cents);
    if (std::fabs(cents - whole) > 1e-6 * std::max(1.0, std::fabs(cents)) ||
        std::fabs(whole) > 99'999'999'999'999.0)
        return std::nullopt;
    return static_cast<qint64>(whole);
}

bool containsAny(const QString &text, std::initializer_list<QStringView> words)
{
    return std::any_of(words.begin(), words.end(), [&](QStringView word) { return text.contains(word); });
}

const QRegularExpression &refundPattern()
{
    // 「已退款(¥5.00)」, 「已退款（￥5.00）」, 「部分退款(¥5)」
    static const QRegularExpression pattern(uR"(退款\s*[(（]\s*([^)）]*)[)）])"_s);
    return pattern;
}

class RowReader {
public:
    RowReader(const ImportFile &file, const ImportCategorizer &categorizer, ImportResult *result)
        : m_file(file), m_categorizer(categorizer), m_result(result)
    {
    }

    void error(const TableRecord &record, const QString &reason)
    {
        m_result->errors.push_back({record.line, reason});
    }
    void skip(const TableRecord &record, ImportSkipReason reason)
    {
        m_result->skipped.push_back({record.line, reason});
    }
    bool enoughFields(const TableRecord &record, int last)
    {
        if (record.fields.size() > last)
            return true;
        error(record, u"只有 %1 列，少于表头的列数，这一行可能不完整"_s.arg(record.fields.size()));
        return false;
    }
    // A refund waits until every purchase of the file is known.
    bool isRefund(const ImportRow &row, std::initializer_list<QStringView> texts) const
    {
        return row.kind == EntryKind::income && std::any_of(texts.begin(), texts.end(), [](QStringView text) {
                   return text.contains(u"退款") || text.contains(u"退货") ||
                          text.contains(u"refund", Qt::CaseInsensitive);
               });
    }

    void finish(ImportRow &row, const std::optional<QString> &category = std::nullopt)
    {
        row.source = m_file.source();
        row.note = row.merchandise.isEmpty() ? row.counterparty : row.merchandise;
        if (category) {
            row.category = *category;
            m_result->rows.push_back(std::move(row));
            return;
        }
        // Bills repeat the same shops and goods, so each combination is looked up once.
        const QString key = row.merchandise + QChar(0x1f) + row.counterparty + QChar(0x1f) +
                            row.sourceCategory + (row.kind == EntryKind::income ? u"\x1f+"_s : u"\x1f-"_s);
        auto known = m_categories.constFind(key);
        if (known == m_categories.cend())
            known = m_categories.insert(key, m_categorizer.categoryFor(row));
        row.category = known.value();
        m_result->rows.push_back(std::move(row));
    }

    // A table's note: the mapped note column, else the next column that reads like a note,
    // when the note is a placeholder such as a row of dashes.
    QString tableNote(const TableRecord &record, const ColumnMapping &m) const
    {
        if (const QString note = field(record, m.note); !ImportNotes::isPlaceholder(note))
            return note;
        for (const int column : m_noteColumns) {
            if (const QString note = field(record, column); !ImportNotes::isPlaceholder(note))
                return note;
        }
        return {};
    }

    void readBill(const TableRecord &record, const BillColumns &c);
    void readTable(const TableRecord &record, const ColumnMapping &m);
    // A line of one filled field, or a total, in place of a bill.
    bool skipNonBill(const TableRecord &record, int dateColumn);
    void settleRefunds()
    {
        if (m_refunds.empty())
            return;
        const QString refundCategory = u"退款"_s;
        const bool known = LedgerCategories::forKind(EntryKind::income).contains(refundCategory);
        m_refunds.settle(*m_result, [&](ImportRow &row) {
            finish(row, known ? std::optional<QString>(refundCategory) : std::nullopt);
        });
    }

    const ImportFile &m_file;
    const ImportCategorizer &m_categorizer;
    ImportResult *m_result;
    QHash<QString, QString> m_categories;
    RefundMatcher m_refunds;
    // Other columns whose header reads like a note, in header order.
    std::vector<int> m_noteColumns;
    bool m_dayFirst = false;
};

bool RowReader::skipNonBill(const TableRecord &record, int dateColumn)
{
    const QString date = field(record, dateColumn);
    const bool dated =
        timeOf(m_file, date).isValid() || ImportTime::parse(date, QString(), m_dayFirst).isValid();
    if (ImportNotes::isSummaryLine(record.fields, dated)) {
        skip(record, ImportSkipReason::summary);
        return true;
    }
    if (isCommentLine(record)) {
        skip(record, ImportSkipReason::remark);
        return true;
    }
    return false;
}

void RowReader::readBill(const TableRecord &record, const BillColumns &c)
{
    if (!enoughFields(record, lastColumn({c.time, c.direction, c.amount, c.status})))
        return;
    ImportRow row;
    row.line = record.line;
    const QString direction = field(record, c.direction);
    const QString status = field(record, c.status);
    row.sourceCategory = field(record, c.sourceCategory);
    const QString merchandise = field(record, c.merchandise);
    // The services write a refund as a line of its own (交易类型 「商户消费-退款」, 交易分类
    // 「退款」, 商品 「退款-…」), 收入 or neither; it is settled against its purchase later.
    const bool refund = direction != u"支出" &&
                        containsAny(row.sourceCategory + merchandise + status, {u"退款"}) &&
                        !containsAny(status, {u"失败", u"关闭", u"撤销"});
    if (direction == u"支出") {
        row.kind = EntryKind::expense;
    } else if (direction == u"收入" || refund) {
        row.kind = EntryKind::income;
    } else {
        skip(record, ImportSkipReason::neutral);
        return;
    }
    if (containsAny(status, {u"失败", u"关闭", u"撤销", u"未支付", u"等待付款", u"已取消"})) {
        skip(record, ImportSkipReason::failedOrClosed);
        return;
    }
    const bool refundedWhole = !refund && (containsAny(status, {u"全额退款"}) || status == u"退款成功");

    const QString amountText = field(record, c.amount);
    const std::optional<qint64> cents = amountOf(m_file, amountText);
    if (!cents || *cents <= 0) {
        if (refundedWhole)
            skip(record, ImportSkipReason::refunded);
        else
            error(record, u"金额“%1”不是大于零的数"_s.arg(amountText));
        return;
    }
    QString timeText = field(record, c.paidTime);
    if (timeText.isEmpty())
        timeText = field(record, c.time);
    row.time = timeOf(m_file, timeText);
    row.transactionId = field(record, c.transactionId);
    row.counterparty = field(record, c.counterparty);
    row.merchandise = ImportNotes::readable(merchandise);
    if (refundedWhole) {
        skip(record, ImportSkipReason::refunded);
        m_refunds.addRefunded(record.line, row.transactionId, row.counterparty, row.merchandise, row.time,
                              *cents);
        return;
    }
    if (!row.time.isValid()) {
        error(record, u"时间“%1”无法读取"_s.arg(timeText));
        return;
    }
    if (refund) {
        row.cents = *cents;
        row.source = m_file.source();
        m_refunds.addRefund(std::move(row), direction == u"收入");
        return;
    }
    qint64 refunded = 0;
    QString refundText = field(record, c.refund);
    if (const QRegularExpressionMatch match = refundPattern().match(status); match.hasMatch())
        refundText = match.captured(1);
    if (!refundText.isEmpty()) {
        const std::optional<qint64> refund = amountOf(m_file, refundText);
        if (!refund || *refund < 0) {
            error(record, u"退款金额“%1”无法读取"_s.arg(refundText));
            return;
        }
        refunded = *refund;
    }
    if (refunded >= *cents) {
        skip(record, ImportSkipReason::refunded);
        m_refunds.addRefunded(record.line, row.transactionId, row.counterparty, row.merchandise, row.time,
                              *cents);
        return;
    }
    row.cents = *cents - refunded;
    if (row.kind == EntryKind::expense)
        m_refunds.addImported(m_result->rows.size(), row, refunded);
    finish(row);
}

// The kind a table's kind column names; nothing for neither, and *unknown for a word this
// reader does not know.
std::optional<EntryKind> kindNamed(const QString &text, bool *unknown)
{
    const QString word = text.trimmed().toLower();
    *unknown = false;
    for (const QStringView expense : {u"支出", u"支", u"出", u"借", u"expense", u"debit", u"out", u"-"}) {
        if (word == expense)
            return EntryKind::expense;
    }
    for (const QStringView income : {u"收入", u"收", u"入", u"贷", u"income", u"credit", u"in", u"+"}) {
        if (word == income)
            return EntryKind::income;
    }
    *unknown = !(word.isEmpty() || word == u"/" || word == u"不计收支");
    return std::nullopt;
}

void RowReader::readTable(const TableRecord &record, const ColumnMapping &m)
{
    if (skipNonBill(record, m.date))
        return;
    if (!enoughFields(record, lastColumn({m.date, m.time, m.amount, m.income, m.expense, m.kind})))
        return;
    ImportRow row;
    row.line = record.line;
    if (const QString currency = ImportNotes::foreignCurrency(field(record, m.currency));
        !currency.isEmpty()) {
        m_result->skipped.push_back({record.line, ImportSkipReason::foreignCurrency, currency});
        return;
    }

    std::optional<EntryKind> kind;
    if (m.kind >= 0) {
        bool unknown = false;
        kind = kindNamed(field(record, m.kind), &unknown);
        if (unknown) {
            error(record, u"收支“%1”无法识别"_s.arg(field(record, m.kind)));
            return;
        }
        if (!kind) {
            skip(record, ImportSkipReason::neutral);
            return;
        }
    }

    qint64 cents = 0;
    if (m.amount >= 0) {
        const QString text = amountField(record, m.amount);
        const std::optional<qint64> value = amountOf(m_file, text);
        if (!value || *value == 0) {
            error(record, text.isEmpty() ? u"金额一栏是空的"_s : u"金额“%1”不是非零的数"_s.arg(text));
            return;
        }
        cents = *value;
        if (!kind)
            kind = (cents < 0) != m.expensePositive ? EntryKind::expense : EntryKind::income;
    } else {
        const QString incomeText = amountField(record, m.income);
        const QString expenseText = amountField(record, m.expense);
        const std::optional<qint64> income = incomeText.isEmpty() ? 0 : amountOf(m_file, incomeText);
        const std::optional<qint64> expense = expenseText.isEmpty() ? 0 : amountOf(m_file, expenseText);
        if (!income || !expense) {
            error(record, u"金额“%1”无法读取"_s.arg(income ? expenseText : incomeText));
            return;
        }
        if ((*income != 0) == (*expense != 0)) {
            error(record, *income == 0 ? u"收入和支出两列都没有金额"_s : u"收入和支出两列都有金额"_s);
            return;
        }
        cents = *income != 0 ? *income : *expense;
        if (!kind)
            kind = *income != 0 ? EntryKind::income : EntryKind::expense;
    }
    row.kind = *kind;
    row.cents = cents < 0 ? -cents : cents;

    const QString dateText = field(record, m.date);
    const QString timeText = field(record, m.time);
    row.time = m_file.table.fromWorkbook && timeText.isEmpty()
                   ? timeOf(m_file, dateText)
                   : ImportTime::parse(dateText, timeText, m_dayFirst);
    if (!row.time.isValid()) {
        error(record, u"日期“%1”无法读取"_s.arg(QStringList{dateText, timeText}.join(u' ').trimmed()));
        return;
    }
    row.counterparty = field(record, m.counterparty);
    row.merchandise = tableNote(record, m);
    // On a card's statement a repayment moves money between one's own accounts.
    if (m.expensePositive && m.kind < 0 && m.amount >= 0 && row.kind == EntryKind::income &&
        (row.merchandise.contains(u"还款") || row.counterparty.contains(u"还款"))) {
        skip(record, ImportSkipReason::neutral);
        return;
    }
    row.sourceCategory = field(record, m.category);
    // A category of the file's that is none of ours stays in the note.
    if (!row.sourceCategory.isEmpty() && !m_categorizer.fileCategory(row.sourceCategory, row.kind) &&
        !ImportCategorizer::mappedSourceCategory(row.sourceCategory, row.kind))
        row.merchandise = ImportNotes::withCategory(
            row.merchandise.isEmpty() ? row.counterparty : row.merchandise, row.sourceCategory);
    if (isRefund(row, {row.merchandise, row.counterparty, row.sourceCategory})) {
        row.source = m_file.source();
        m_refunds.addRefund(std::move(row), true);
        return;
    }
    if (row.kind == EntryKind::expense)
        m_refunds.addImported(m_result->rows.size(), row, 0);
    finish(row);
}

// Which way the table's year-last dates (05/03/2024) run, from the dates themselves: a first
// number past 12 is a day, a second one past 12 is one too. Dates that read both ways leave the
// choice to the caller (month first until it says), as with QIF.
void chooseDayOrder(const ImportFile &file, int dateColumn, ImportDateOrder order, ImportResult &result,
                    bool *dayFirst)
{
    int dayFirstDates = 0;
    int monthFirstDates = 0;
    int yearLastDates = 0;
    for (size_t i = file.headerIndex + 1; i < file.table.records.size(); ++i) {
        int first = 0;
        int second = 0;
        if (!ImportTime::yearLastNumbers(field(file.table.records[i], dateColumn), &first, &second))
            continue;
        ++yearLastDates;
        dayFirstDates += first > 12 && second <= 12 ? 1 : 0;
        monthFirstDates += second > 12 && first <= 12 ? 1 : 0;
    }
    if (yearLastDates == 0)
        return;
    result.dateOrderAmbiguous = dayFirstDates == 0 && monthFirstDates == 0;
    if (order == ImportDateOrder::automatic)
        order = dayFirstDates > monthFirstDates ? ImportDateOrder::dayFirst : ImportDateOrder::monthFirst;
    result.dateOrder = order;
    *dayFirst = order == ImportDateOrder::dayFirst;
}

// Columns that read like a note and are not mapped to anything: where a bank's note is a
// placeholder, the next of these holds the words.
std::vector<int> noteColumns(const QStringList &header, const ColumnMapping &m)
{
    static const QStringList words{u"摘要"_s, u"附言"_s,        u"用途"_s,     u"备注"_s,
                                   u"说明"_s, u"描述"_s,        u"交易地点"_s, u"商户"_s,
                                   u"memo"_s, u"description"_s, u"details"_s};
    const int mapped[] = {m.date, m.time,     m.amount, m.income,       m.expense,
                          m.kind, m.category, m.note,   m.counterparty, m.currency};
    std::vector<int> columns;
    for (int column = 0; column < int(header.size()); ++column) {
        if (std::find(std::begin(mapped), std::end(mapped), column) != std::end(mapped))
            continue;
        const QString name = header.at(column).toLower();
        if (std::any_of(words.begin(), words.end(), [&](const QString &word) { return name.contains(word); }))
            columns.push_back(column);
    }
    // The counterparty last: it names who, the others say what for.
    if (m.counterparty >= 0)
        columns.push_back(m.counterparty);
    return columns;
}

// A QIF category that is none of ours stays in the note, so nothing the file said is lost.
void keepUnmatchedCategories(ImportResult &result)
{
    if (result.unmatchedCategories.isEmpty())
        return;
    for (ImportRow &row : result.rows) {
        if (result.unmatchedCategories.contains(row.sourceCategory))
            row.note = ImportNotes::withCategory(row.note, row.sourceCategory);
    }
}

} // namespace

ImportResult ImportReader::read(const ImportFile &file, const ImportCategorizer &categorizer,
                                ImportDateOrder dateOrder)
{
    return read(file, categorizer, std::nullopt, dateOrder);
}

ImportResult ImportReader::read(const ImportFile &file, const ImportCategorizer &categorizer,
                                const std::optional<ColumnMapping> &mapping)
{
    return read(file, categorizer, mapping, ImportDateOrder::automatic);
}

ImportResult ImportReader::read(const ImportFile &file, const ImportCategorizer &categorizer,
                                const std::optional<ColumnMapping> &mapping, ImportDateOrder dateOrder)
{
    ImportResult result;
    if (!file.ok()) {
        result.fileError = file.error;
        return result;
    }
    result.source = file.source();
    result.encoding = file.encoding;
    if (file.layout == ImportFile::Layout::qif) {
        QifReader::read(file.text, categorizer, dateOrder, &result);
        keepUnmatchedCategories(result);
        return result;
    }
    if (file.damageStopsImport && !file.takeBeforeDamage) {
        result.fileError =
            u"“%1”：%2。没有导入；可以选择仍导入损坏处之前的 %3 行"_s.arg(file.fileName, file.damage)
                .arg(file.rowsBeforeDamage());
        return result;
    }
    result.damage = file.damage;
    result.damageLine = file.damageLine;
    if (file.layout == ImportFile::Layout::ofx) {
        OfxReader::read(file.statement, categorizer, &result);
        return result;
    }
    const TableRecords &records = file.table.records;
    RowReader reader(file, categorizer, &result);
    // At most one row a record: a vector that doubles as it fills holds up to twice that.
    const size_t rows = records.size() - std::min(records.size(), file.headerIndex + 1);
    if (file.layout == ImportFile::Layout::table) {
        const ColumnMapping columns = mapping.value_or(file.guessedMapping());
        if (!columns.isComplete()) {
            result.fileError = u"“%1”：请指定日期和金额所在的列"_s.arg(file.fileName);
            return result;
        }
        result.rows.reserve(rows);
        chooseDayOrder(file, columns.date, dateOrder, result, &reader.m_dayFirst);
        reader.m_noteColumns = noteColumns(file.header, columns);
        for (size_t i = file.headerIndex + 1; i < records.size(); ++i)
            reader.readTable(records[i], columns);
        reader.settleRefunds();
        return result;
    }
    const BillColumns columns = billColumns(file);
    result.rows.reserve(rows);
    for (size_t i = file.headerIndex + 1; i < records.size(); ++i) {
        const TableRecord record = records[i];
        // The services close the table with a dashed rule and put totals after it.
        if (!record.fields.isEmpty() && record.fields.first().trimmed().startsWith(u"---"))
            break;
        if (isCommentLine(record))
            reader.skip(record, ImportSkipReason::remark);
        else
            reader.readBill(record, columns);
    }
    reader.settleRefunds();
    return result;
}

ImportResult ImportReader::read(const QString &path, const ImportCategorizer &categorizer,
                                const std::optional<ColumnMapping> &mapping, const ImportLimits &limits)
{
    return read(ImportFile::load(path, limits), categorizer, mapping);
}

QString ImportReader::describe(const QString &fileName, const ImportRowError &error)
{
    return u"“%1” 第 %2 行：%3"_s.arg(fileName).arg(error.line).arg(error.reason);
}
