// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ColumnMapping.h"
#include "import/CsvTable.h"
#include "import/ImportReader.h"
#include "import/ImportTime.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Tables as banks, cards and payment services write them, read whole from the files under
// tests/data/import: what comes in, to the cent, and every line left out with its reason.
class ImportBankTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void files_data();
    void files();
    void rows_data();
    void rows();
    void guess_data();
    void guess();
    void delimiter_data();
    void delimiter();
    void dates_data();
    void dates();
    void mappingText();
    void summaryLines_data();
    void summaryLines();
};

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

// "合计或余额行 3, 外币：USD 2": the skips as the sheet counts them.
QString skipsOf(const ImportResult &result)
{
    QStringList texts;
    for (const auto &[text, count] : result.skippedByText())
        texts.append(u"%1 %2"_s.arg(text).arg(count));
    return texts.join(u", "_s);
}

ImportResult readFile(const QString &name, const QString &mappingText, ImportDateOrder order)
{
    const ImportFile file = ImportFile::load(dataFile(name));
    std::optional<ColumnMapping> mapping;
    if (!mappingText.isEmpty())
        mapping = ColumnMapping::fromText(mappingText);
    return ImportReader::read(file, ImportCategorizer(), mapping, order);
}

// "date=0 amount=3 note=2 +": the mapped fields by column, "+" for positive is spending.
QString describe(const ColumnMapping &m)
{
    QStringList parts;
    const std::pair<const char16_t *, int> fields[] = {
        {u"date", m.date},         {u"time", m.time},       {u"amount", m.amount},
        {u"income", m.income},     {u"expense", m.expense}, {u"kind", m.kind},
        {u"category", m.category}, {u"note", m.note},       {u"counterparty", m.counterparty},
        {u"currency", m.currency}};
    for (const auto &[name, column] : fields) {
        if (column >= 0)
            parts.append(u"%1=%2"_s.arg(QStringView(name)).arg(column));
    }
    if (m.expensePositive)
        parts.append(u"+"_s);
    return parts.join(u' ');
}

} // namespace

void ImportBankTest::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("mapping");
    QTest::addColumn<int>("dateOrder");
    QTest::addColumn<int>("rows");
    QTest::addColumn<qint64>("incomeCents");
    QTest::addColumn<qint64>("expenseCents");
    QTest::addColumn<QString>("skips");
    QTest::addColumn<int>("errors");
    QTest::addColumn<bool>("ambiguous");

    const int automatic = int(ImportDateOrder::automatic);
    QTest::newRow("refunds against their purchases")
        << u"wechat-refunds.csv"_s << QString() << automatic << 6 << qint64(1500) << qint64(161580)
        << u"不计收支 1, 已全额退款 1, 退款，原交易已全额退款 1, 退款，已从原交易中扣除 2"_s << 0 << false;
    QTest::newRow("one id on many lines, one line twice")
        << u"wechat-shared-ids.csv"_s << QString() << automatic << 5 << qint64(10000) << qint64(8850)
        << QString() << 0 << false;
    QTest::newRow("quoted amounts with a tab after them, other currencies")
        << u"bank-quoted-currency.csv"_s << QString() << automatic << 4 << qint64(800000) << qint64(426650)
        << u"外币：USD 2, 外币：HKD 1"_s << 0 << false;
    QTest::newRow("card: header one field short, positive is spending")
        << u"card-trailing-comma.csv"_s << QString() << automatic << 3 << qint64(3000) << qint64(4800)
        << u"不计收支 1, 合计或余额行 1"_s << 0 << false;
    QTest::newRow("card read the other way round by choice")
        << u"card-trailing-comma.csv"_s << u"date=0;amount=3;note=2;expensePositive=0"_s << automatic << 4
        << qint64(4800) << qint64(53000) << u"合计或余额行 1"_s << 0 << false;
    QTest::newRow("day first, HHMMSS, placeholders, balances")
        << u"bank-dmy.csv"_s << QString() << automatic << 4 << qint64(500035) << qint64(20850)
        << u"合计或余额行 3"_s << 0 << false;
    QTest::newRow("every date reads both ways") << u"bank-ambiguous.csv"_s << QString() << automatic << 3
                                                << qint64(300000) << qint64(5720) << QString() << 0 << true;
    QTest::newRow("both ways, day first chosen")
        << u"bank-ambiguous.csv"_s << QString() << int(ImportDateOrder::dayFirst) << 3 << qint64(300000)
        << qint64(5720) << QString() << 0 << true;
    QTest::newRow("debit and credit, the bank's own categories")
        << u"bank-categories.csv"_s << QString() << automatic << 3 << qint64(250000) << qint64(2750)
        << QString() << 0 << false;
}

void ImportBankTest::files()
{
    QFETCH(QString, file);
    QFETCH(QString, mapping);
    QFETCH(int, dateOrder);
    const ImportResult result = readFile(file, mapping, ImportDateOrder(dateOrder));
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    qint64 income = 0;
    qint64 expense = 0;
    for (const ImportRow &row : result.rows)
        (row.kind == EntryKind::income ? income : expense) += row.cents;
    for (const ImportRowError &error : result.errors)
        qInfo().noquote() << ImportReader::describe(file, error);
    QTEST(int(result.rows.size()), "rows");
    QTEST(income, "incomeCents");
    QTEST(expense, "expenseCents");
    QTEST(skipsOf(result), "skips");
    QTEST(int(result.errors.size()), "errors");
    QTEST(result.dateOrderAmbiguous, "ambiguous");
}

void ImportBankTest::rows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("dateOrder");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("note");

    const int automatic = int(ImportDateOrder::automatic);
    const QString expense = u"支出"_s;
    const QString income = u"收入"_s;
    QTest::newRow("refund sharing the purchase's id comes off it")
        << u"wechat-refunds.csv"_s << automatic << 11 << u"2024-04-15T12:05:00"_s << expense << qint64(2200)
        << u"餐饮"_s << u"午餐"_s;
    QTest::newRow("refund the status took off already is not taken twice")
        << u"wechat-refunds.csv"_s << automatic << 12 << u"2024-04-12T21:45:00"_s << expense << qint64(2500)
        << u"服饰"_s << u"纯棉衣服"_s;
    QTest::newRow("refund without its purchase, called income")
        << u"wechat-refunds.csv"_s << automatic << 9 << u"2024-04-17T11:00:00"_s << income << qint64(1500)
        << u"退款"_s << u"旧书"_s;
    QTest::newRow("stock QR wording gives way to the counterparty")
        << u"wechat-refunds.csv"_s << automatic << 14 << u"2024-04-08T18:02:13"_s << expense << qint64(1880)
        << u"水果"_s << u"阿强水果店"_s;
    QTest::newRow("stock transfer wording gives way to the counterparty")
        << u"wechat-refunds.csv"_s << automatic << 15 << u"2024-04-06T20:00:00"_s << expense << qint64(5000)
        << u"转账"_s << u"李小北"_s;
    QTest::newRow("the payer's own words after the label")
        << u"wechat-refunds.csv"_s << automatic << 16 << u"2024-04-05T20:00:00"_s << expense << qint64(150000)
        << u"房租"_s << u"四月房租"_s;
    QTest::newRow("grouping comma inside quotes, tab after the quote")
        << u"bank-quoted-currency.csv"_s << automatic << 3 << u"2024-03-02T12:00:00"_s << expense
        << qint64(123450) << u"买菜"_s << u"超市购物"_s;
    QTest::newRow("人民币 is yuan") << u"bank-quoted-currency.csv"_s << automatic << 6
                                    << u"2024-03-05T12:00:00"_s << expense << qint64(300000) << u"房租"_s
                                    << u"房租"_s;
    QTest::newRow("card: positive is spending")
        << u"card-trailing-comma.csv"_s << automatic << 3 << u"2024-03-02T12:00:00"_s << expense
        << qint64(4500) << u"其它"_s << u"青禾小馆"_s;
    QTest::newRow("card: a negative return is a refund, not pay")
        << u"card-trailing-comma.csv"_s << automatic << 5 << u"2024-03-08T12:00:00"_s << income
        << qint64(3000) << u"退款"_s << u"布衣坊网店 退货"_s;
    QTest::newRow("dashes give way to 附言, HHMMSS")
        << u"bank-dmy.csv"_s << automatic << 3 << u"2024-03-25T09:30:15"_s << expense << qint64(8800)
        << u"买菜"_s << u"超市"_s;
    QTest::newRow("placeholder dash in 支取, grouping in quotes")
        << u"bank-dmy.csv"_s << automatic << 4 << u"2024-03-26T12:00:00"_s << income << qint64(500000)
        << u"工资"_s << u"工资"_s;
    QTest::newRow("blanks give way to 附言")
        << u"bank-dmy.csv"_s << automatic << 5 << u"2024-03-27T18:30:00"_s << expense << qint64(12050)
        << u"电费"_s << u"水电费"_s;
    QTest::newRow("day first told by other lines")
        << u"bank-dmy.csv"_s << automatic << 6 << u"2024-04-01T08:00:00"_s << income << qint64(35)
        << u"投资理财"_s << u"利息"_s;
    QTest::newRow("both ways: month first until told")
        << u"bank-ambiguous.csv"_s << automatic << 2 << u"2024-03-04T12:00:00"_s << expense << qint64(4520)
        << u"其它"_s << u"Groceries"_s;
    QTest::newRow("both ways: day first when told")
        << u"bank-ambiguous.csv"_s << int(ImportDateOrder::dayFirst) << 2 << u"2024-04-03T12:00:00"_s
        << expense << qint64(4520) << u"其它"_s << u"Groceries"_s;
    QTest::newRow("a category none of ours stays in the note")
        << u"bank-categories.csv"_s << automatic << 4 << u"2024-03-03T12:00:00"_s << expense << qint64(2300)
        << u"其它"_s << u"Garden centre（Kiteboarding）"_s;
}

void ImportBankTest::rows()
{
    QFETCH(QString, file);
    QFETCH(int, dateOrder);
    QFETCH(int, line);
    QFETCH(QString, time);
    QFETCH(QString, kind);
    const ImportResult result = readFile(file, QString(), ImportDateOrder(dateOrder));
    const auto row = std::find_if(result.rows.begin(), result.rows.end(),
                                  [line](const ImportRow &candidate) { return candidate.line == line; });
    QVERIFY2(row != result.rows.end(), qPrintable(u"no row on line %1"_s.arg(line)));
    QCOMPARE(row->time, TestSupport::at(time));
    QCOMPARE(EntryKinds::rawText(row->kind), kind);
    QTEST(row->cents, "cents");
    QTEST(row->category, "category");
    QTEST(row->note, "note");
}

void ImportBankTest::guess_data()
{
    QTest::addColumn<QStringList>("header");
    QTest::addColumn<QString>("mapping");

    QTest::newRow("交易日 beside 记账日, 交易摘要")
        << QStringList{u"交易日"_s, u"记账日"_s, u"交易摘要"_s, u"交易金额"_s} << u"date=0 amount=3 note=2"_s;
    QTest::newRow("入账日期, 发生额, 交易描述")
        << QStringList{u"入账日期"_s, u"发生额"_s, u"交易描述"_s} << u"date=0 amount=1 note=2"_s;
    QTest::newRow("交易日期 and 交易时间, 收入金额/支出金额")
        << QStringList{u"交易日期"_s, u"交易时间"_s, u"收入金额"_s, u"支出金额"_s, u"附言"_s}
        << u"date=0 time=1 income=2 expense=3 note=4"_s;
    QTest::newRow("交易时间 alone is the date")
        << QStringList{u"交易时间"_s, u"金额"_s, u"用途"_s} << u"date=0 amount=1 note=2"_s;
    QTest::newRow("存入/支取, 对方户名 and 币种")
        << QStringList{u"日期"_s, u"摘要"_s, u"存入"_s, u"支取"_s, u"对方户名"_s, u"币种"_s}
        << u"date=0 income=2 expense=3 note=1 counterparty=4 currency=5"_s;
    QTest::newRow("借方发生额/贷方发生额 in units")
        << QStringList{u"记账日期"_s, u"借方发生额(元)"_s, u"贷方发生额(元)"_s, u"摘要"_s}
        << u"date=0 income=2 expense=1 note=3"_s;
    QTest::newRow("Posting Date, Debit/Credit, Description")
        << QStringList{u"Posting Date"_s, u"Description"_s, u"Debit"_s, u"Credit"_s}
        << u"date=0 income=3 expense=2 note=1"_s;
    QTest::newRow("Date, Amount, Currency")
        << QStringList{u"Date"_s, u"Amount"_s, u"Currency"_s} << u"date=0 amount=1 currency=2"_s;
    QTest::newRow("a card that says 消费 is positive")
        << QStringList{u"交易日"_s, u"交易摘要"_s, u"交易金额（消费为正）"_s}
        << u"date=0 amount=2 note=1 +"_s;
    QTest::newRow("消费/还款 columns are expense and income")
        << QStringList{u"交易日"_s, u"消费金额"_s, u"还款金额"_s} << u"date=0 income=2 expense=1"_s;
    QTest::newRow("a kind column runs the sign, not the header")
        << QStringList{u"交易日"_s, u"收/支"_s, u"交易金额（消费）"_s} << u"date=0 amount=2 kind=1"_s;
}

void ImportBankTest::guess()
{
    QFETCH(QStringList, header);
    QTEST(describe(ColumnMapping::guess(header)), "mapping");
}

void ImportBankTest::delimiter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");

    QTest::newRow("tab after quoted amounts with grouping commas")
        << u"\"日期\",\"摘要\",\"金额\",\"币种\"\n\"2024-03-01\",\"a\",\"1,000.00\"\t,\"CNY\"\n"
           "\"2024-03-02\",\"b\",\"-1,234.50\"\t,\"CNY\"\n\"2024-03-03\",\"c\",\"-32.00\"\t,\"CNY\"\n"_s
        << u","_s;
    QTest::newRow("semicolons, commas inside quotes")
        << u"Date;Memo;Amount\n2024-03-01;\"a, b, c\";-1\n2024-03-02;\"d, e\";-2\n"_s << u";"_s;
    QTest::newRow("tabs, a quoted line break")
        << u"日期\t摘要\t金额\n2024-03-01\t\"两行\n备注\"\t-1\n2024-03-02\t午饭\t-2\n"_s << u"\t"_s;
}

void ImportBankTest::delimiter()
{
    QFETCH(QString, text);
    QTEST(QString(CsvTable::detectDelimiter(text)), "delimiter");
}

void ImportBankTest::dates_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("dayFirst");
    QTest::addColumn<QString>("expected"); // empty: not a date

    QTest::newRow("YYYY-MM-DD") << u"2024-03-05"_s << QString() << false << u"2024-03-05T12:00:00"_s;
    QTest::newRow("YYYY/MM/DD") << u"2024/3/5"_s << u"12:30"_s << false << u"2024-03-05T12:30:00"_s;
    QTest::newRow("YYYYMMDD, HHMMSS") << u"20240305"_s << u"093015"_s << false << u"2024-03-05T09:30:15"_s;
    QTest::newRow("HHMMSS that lost its zero")
        << u"20240305"_s << u"93015"_s << false << u"2024-03-05T09:30:15"_s;
    QTest::newRow("MM/DD/YYYY") << u"03/05/2024"_s << QString() << false << u"2024-03-05T12:00:00"_s;
    QTest::newRow("DD/MM/YYYY") << u"05/03/2024"_s << u"18:00:00"_s << true << u"2024-03-05T18:00:00"_s;
    QTest::newRow("DD.MM.YYYY with its time")
        << u"5.3.2024 08:05"_s << QString() << true << u"2024-03-05T08:05:00"_s;
    QTest::newRow("day 13 read month first") << u"13/03/2024"_s << QString() << false << QString();
    QTest::newRow("time past the day") << u"2024-03-05"_s << u"250000"_s << false << QString();
}

void ImportBankTest::dates()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(bool, dayFirst);
    QFETCH(QString, expected);
    const QDateTime read = ImportTime::parse(date, time, dayFirst);
    if (expected.isEmpty())
        QVERIFY(!read.isValid());
    else
        QCOMPARE(read, TestSupport::at(expected));
}

// A mapping written before the currency and the sign were kept reads with neither.
void ImportBankTest::mappingText()
{
    ColumnMapping card;
    card.date = 0;
    card.amount = 3;
    card.currency = 4;
    card.expensePositive = true;
    QCOMPARE(ColumnMapping::fromText(card.toText()), card);
    const std::optional<ColumnMapping> older = ColumnMapping::fromText(
        u"date=0;time=-1;amount=3;income=-1;expense=-1;kind=-1;category=-1;note=2;counterparty=-1"_s);
    QVERIFY(older);
    QCOMPARE(older->currency, -1);
    QVERIFY(!older->expensePositive);
    QVERIFY(!ColumnMapping::fromText(u"date=0;amount=1;expensePositive=2"_s));
}

void ImportBankTest::summaryLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("outcome"); // "row", or the reason the line is left out

    QTest::newRow("a shop named Total") << u"2024-03-05,Total Wine,-20.00"_s << u"row"_s;
    QTest::newRow("total without a date") << u"Total,,-52.00"_s << u"合计或余额行"_s;
    QTest::newRow("balance on a dated line") << u"2024-03-01,期初余额,"_s << u"合计或余额行"_s;
    QTest::newRow("subtotal with a count") << u"本页小计：2笔,,-52.00"_s << u"合计或余额行"_s;
    QTest::newRow("人民币合计") << u"人民币合计:,,-52.00"_s << u"合计或余额行"_s;
    QTest::newRow("one filled field") << u"导出时间 2024-04-01,,"_s << u"说明文字，不是账目"_s;
}

void ImportBankTest::summaryLines()
{
    QFETCH(QString, line);
    QFETCH(QString, outcome);
    const ImportFile file = ImportFile::fromBytes(
        (u"Date,Description,Amount\n2024-03-04,Bread,-1.00\n"_s + line + u'\n').toUtf8(), u"s.csv"_s);
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QVERIFY(result.errors.empty());
    if (outcome == u"row") {
        QCOMPARE(result.rows.size(), size_t(2));
        return;
    }
    QCOMPARE(result.rows.size(), size_t(1));
    QCOMPARE(result.skipped.size(), size_t(1));
    QCOMPARE(result.skipped.front().line, 3);
    QCOMPARE(result.skipped.front().text(), outcome);
}

PENNYLOOM_TEST(ImportBankTest)
#include "tst_ImportBank.moc"
