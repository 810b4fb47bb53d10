// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportAmount.h"
#include "import/ImportReader.h"
#include "import/QifDate.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The pieces under the layouts: text and its encodings, CSV quoting, amounts, column mappings,
// local times and the order in which a category is chosen.
class ImportTextTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tables_data();
    void tables();
    void amounts_data();
    void amounts();
    void guessedMappings_data();
    void guessedMappings();
    void mappingText();
    void tableRows_data();
    void tableRows();
    void localTimes_data();
    void localTimes();
    void categories_data();
    void categories();
    void fileCategories_data();
    void fileCategories();
    void qifDates_data();
    void qifDates();
};

namespace {

// "line:field|field" per record, records joined by " / ".
QString shapeOf(const ImportTable &table)
{
    QStringList records;
    for (const TableRecord &record : table.records)
        records.append(u"%1:%2"_s.arg(record.line).arg(record.fields.join(u'|')));
    return records.join(u" / "_s);
}

} // namespace

void ImportTextTest::tables_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<QString>("records");
    QTest::addColumn<int>("headerLine");

    QTest::newRow("comma") << QByteArray("a,b\n1,2\n") << u"UTF-8"_s << u"1:a|b / 2:1|2"_s << 1;
    QTest::newRow("semicolon, CR LF")
        << QByteArray("a;b;c,d\r\n1;2;3,4\r\n") << u"UTF-8"_s << u"1:a|b|c,d / 2:1|2|3,4"_s << 1;
    QTest::newRow("tab after a preamble")
        << QByteArray("Statement, March\n\na\tb\tc\n1\t2\t3\n4\t5\t6\n") << u"UTF-8"_s
        << u"1:Statement, March / 3:a|b|c / 4:1|2|3 / 5:4|5|6"_s << 3;
    QTest::newRow("comma preamble of another width")
        << u"账户明细,2024年3月\n日期,金额,备注\n2024-03-01,-5,x\n"_s.toUtf8() << u"UTF-8"_s
        << u"1:账户明细|2024年3月 / 2:日期|金额|备注 / 3:2024-03-01|-5|x"_s << 2;
    QTest::newRow("bom") << QByteArray("\xEF\xBB\xBF日期,金额\n") << u"UTF-8 BOM"_s << u"1:日期|金额"_s << 1;
    QTest::newRow("gb18030") << QByteArray("\xC8\xD5\xC6\xDA,\xBD\xF0\xB6\xEE\n") << u"GB18030"_s
                             << u"1:日期|金额"_s << 1;
    QTest::newRow("quoted line break and delimiter")
        << QByteArray("a,\"x\ny,z\",b\nc,d,e\n") << u"UTF-8"_s << u"1:a|x\ny,z|b / 3:c|d|e"_s << 1;
    QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",b\n") << u"UTF-8"_s
                                    << u"1:say \"hi\"|b"_s << 1;
    QTest::newRow("stray quote inside a field")
        << QByteArray("12\"5,b\n") << u"UTF-8"_s << u"1:12\"5|b"_s << 1;
    QTest::newRow("text after a closing quote")
        << QByteArray("\"ab\"cd,e\n") << u"UTF-8"_s << u"1:abcd|e"_s << 1;
    QTest::newRow("unclosed quote keeps the lines after it")
        << QByteArray("a,\"b\nc,d\ne,f\n") << u"UTF-8"_s << u"1:a|\"b / 2:c|d / 3:e|f"_s << 1;
    QTest::newRow("utf-8 cut inside the last character")
        << QByteArray("a,\xE6\x97\xA5\n\xE6\x97") << u"UTF-8"_s << u"1:a|日"_s << 1;
    QTest::newRow("gb18030 cut inside the last character")
        << QByteArray("a,\xC8\xD5\n\xC8") << u"GB18030"_s << u"1:a|日"_s << 1;
}

void ImportTextTest::tables()
{
    QFETCH(QByteArray, bytes);
    const ImportFile file = ImportFile::fromBytes(bytes, u"t.csv"_s);
    QTEST(file.encoding, "encoding");
    QTEST(shapeOf(file.table), "records");
    QTEST(file.headerLine, "headerLine");
}

void ImportTextTest::amounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<qint64>("cents");

    QTest::newRow("yuan sign") << u"¥12.00"_s << true << qint64(1200);
    QTest::newRow("fullwidth sign, one decimal") << u" ￥0.1 "_s << true << qint64(10);
    QTest::newRow("binary-unfriendly decimal") << u"0.29"_s << true << qint64(29);
    QTest::newRow("grouping") << u"1,234,567.89"_s << true << qint64(123456789);
    QTest::newRow("sign before currency") << u"-¥8"_s << true << qint64(-800);
    QTest::newRow("sign after currency, unit") << u"¥-8.50元"_s << true << qint64(-850);
    QTest::newRow("trailing zero decimals") << u"3.1000"_s << true << qint64(310);
    QTest::newRow("largest entry") << u"999999999999.99"_s << true << qint64(99999999999999);
    QTest::newRow("past the entry range") << u"1000000000000"_s << false << qint64(0);
    QTest::newRow("fraction of a cent") << u"3.125"_s << false << qint64(0);
    QTest::newRow("two points") << u"12.3.4"_s << false << qint64(0);
    QTest::newRow("bad grouping") << u"12,34"_s << false << qint64(0);
    QTest::newRow("no digits") << u"¥"_s << false << qint64(0);
    QTest::newRow("exponent") << u"1e3"_s << false << qint64(0);
    QTest::newRow("fullwidth digits") << u"１２"_s << false << qint64(0);
}

void ImportTextTest::amounts()
{
    QFETCH(QString, text);
    QFETCH(bool, reads);
    const std::optional<qint64> cents = ImportAmount::cents(text);
    QCOMPARE(cents.has_value(), reads);
    if (reads)
        QTEST(*cents, "cents");
}

void ImportTextTest::guessedMappings_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("mapping");

    QTest::newRow("bank, income and expense columns")
        << u"交易日期,交易时间,收入金额,支出金额,账户余额,摘要,对方户名"_s
        << u"date=0;time=1;amount=-1;income=2;expense=3;kind=-1;category=-1;note=5;counterparty=6"_s;
    QTest::newRow("signed amount, time column first")
        << u"时间,日期,交易金额(元),收/支,分类,备注"_s
        << u"date=1;time=0;amount=2;kind=3;income=-1;expense=-1;category=4;note=5;counterparty=-1"_s;
    QTest::newRow("english") << u"Posting Date,Description,Debit,Credit,Balance"_s
                             << u"date=0;time=-1;amount=-1;income=3;expense=2;kind=-1;category=-1;note=1;"
                                u"counterparty=-1"_s;
    QTest::newRow("nothing known")
        << u"甲,乙,丙"_s
        << u"date=-1;time=-1;amount=-1;income=-1;expense=-1;kind=-1;category=-1;note=-1;"
           u"counterparty=-1"_s;
}

void ImportTextTest::guessedMappings()
{
    QFETCH(QString, header);
    QFETCH(QString, mapping);
    QCOMPARE(ColumnMapping::guess(header.split(u',')), ColumnMapping::fromText(mapping).value());
}

void ImportTextTest::mappingText()
{
    ColumnMapping mapping;
    mapping.date = 2;
    mapping.expense = 0;
    mapping.note = 7;
    QCOMPARE(ColumnMapping::fromText(mapping.toText()), mapping);
    for (const QString &broken : {u"date"_s, u"date=x"_s, u"colour=1"_s, u"date=-2"_s})
        QVERIFY2(!ColumnMapping::fromText(broken), qPrintable(broken));
    // One key for one header line, whatever blanks and case; another for another line.
    const QString key = ColumnMapping::headerKey({u"Date"_s, u"金额"_s});
    QCOMPARE(ColumnMapping::headerKey({u" date\t"_s, u"金额"_s}), key);
    QVERIFY(ColumnMapping::headerKey({u"金额"_s, u"Date"_s}) != key);
    QVERIFY(ColumnMapping::headerKey({u"Date"_s, u"金额"_s, u""_s}) != key);
}

void ImportTextTest::tableRows_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("line");
    // "支出 1234 2024-03-05T12:00:00 category" for a row, "skip" for a neutral row, else an error reason.
    QTest::addColumn<QString>("outcome");

    const QString signedAmount = u"日期,金额,备注"_s;
    const QString twoColumns = u"日期,时间,收入,支出,备注"_s;
    const QString withKind = u"日期,金额,收支,分类"_s;
    QTest::newRow("negative is an expense")
        << signedAmount << u"2024-03-05,-12.34,午饭"_s << u"支出 1234 2024-03-05T12:00:00 餐饮"_s;
    QTest::newRow("positive is an income")
        << signedAmount << u"2024/3/5,1000,工资"_s << u"收入 100000 2024-03-05T12:00:00 工资"_s;
    QTest::newRow("zero amount") << signedAmount << u"2024-03-05,0.00,x"_s << u"金额“0.00”不是非零的数"_s;
    QTest::newRow("broken date") << signedAmount << u"2024-02-30,1,x"_s << u"日期“2024-02-30”无法读取"_s;
    QTest::newRow("expense column") << twoColumns << u"20240305,08:30,,45.00,加油"_s
                                    << u"支出 4500 2024-03-05T08:30:00 加油费"_s;
    QTest::newRow("income column") << twoColumns << u"2024.03.05,23:59:59,88,,利息"_s
                                   << u"收入 8800 2024-03-05T23:59:59 投资理财"_s;
    QTest::newRow("both columns") << twoColumns << u"2024-03-05,,1,2,x"_s << u"收入和支出两列都有金额"_s;
    QTest::newRow("neither column") << twoColumns << u"2024-03-05,,,,x"_s << u"收入和支出两列都没有金额"_s;
    QTest::newRow("kind column over the sign")
        << withKind << u"2024-03-05,-5,收入,退款"_s << u"收入 500 2024-03-05T12:00:00 退款"_s;
    QTest::newRow("our category column")
        << withKind << u"2024-03-05,5,支出,宠物"_s << u"支出 500 2024-03-05T12:00:00 宠物"_s;
    QTest::newRow("neutral kind") << withKind << u"2024-03-05,5,不计收支,x"_s << u"skip"_s;
    QTest::newRow("unknown kind") << withKind << u"2024-03-05,5,转入,x"_s << u"收支“转入”无法识别"_s;
    QTest::newRow("short row") << withKind << u"2024-03-05,5"_s
                               << u"只有 2 列，少于表头的列数，这一行可能不完整"_s;
}

void ImportTextTest::tableRows()
{
    QFETCH(QString, header);
    QFETCH(QString, line);
    QFETCH(QString, outcome);
    const ImportFile file = ImportFile::fromBytes((header + u'\n' + line + u'\n').toUtf8(), u"bank.csv"_s);
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(ImportSources::id(result.source), u"csv"_s);
    if (outcome == u"skip") {
        QCOMPARE(result.skippedFor(ImportSkipReason::neutral), 1);
        return;
    }
    if (!result.errors.empty()) {
        QCOMPARE(result.errors.front().reason, outcome);
        QCOMPARE(result.errors.front().line, 2);
        QCOMPARE(ImportReader::describe(file.fileName, result.errors.front()),
                 u"“bank.csv” 第 2 行："_s + outcome);
        return;
    }
    QCOMPARE(result.rows.size(), size_t(1));
    const ImportRow &row = result.rows.front();
    const QStringList parts = outcome.split(u' ');
    QCOMPARE(EntryKinds::rawText(row.kind), parts.at(0));
    QCOMPARE(row.cents, parts.at(1).toLongLong());
    QCOMPARE(row.time, TestSupport::at(parts.at(2)));
    QCOMPARE(row.category, parts.at(3));
}

void ImportTextTest::localTimes_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("instant");

    QTest::newRow("Shanghai") << QByteArray("Asia/Shanghai") << u"2024-03-10 02:30:00"_s
                              << u"2024-03-09T18:30:00Z"_s;
    QTest::newRow("New York winter") << QByteArray("America/New_York") << u"2024-01-15 09:00"_s
                                     << u"2024-01-15T14:00:00Z"_s;
    QTest::newRow("New York summer") << QByteArray("America/New_York") << u"2024-07-01 09:00"_s
                                     << u"2024-07-01T13:00:00Z"_s;
    QTest::newRow("New York, skipped hour moves forward")
        << QByteArray("America/New_York") << u"2024-03-10 02:30:00"_s << u"2024-03-10T07:30:00Z"_s;
    QTest::newRow("Berlin date alone is noon")
        << QByteArray("Europe/Berlin") << u"2024-10-27"_s << u"2024-10-27T11:00:00Z"_s;
}

void ImportTextTest::localTimes()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, text);
    QFETCH(QString, instant);
    const TestSupport::ScopedTimeZone scoped(zone);
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes((u"日期,金额\n"_s + text + u",-1\n"_s).toUtf8(), u"t.csv"_s),
                           ImportCategorizer());
    QCOMPARE(result.rows.size(), size_t(1));
    QCOMPARE(result.rows.front().time.toUTC(), QDateTime::fromString(instant, Qt::ISODate));
}

void ImportTextTest::categories_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("merchandise");
    QTest::addColumn<QString>("counterparty");
    QTest::addColumn<QString>("sourceCategory");
    QTest::addColumn<QString>("category");

    // The user's rule for 晨光烘焙 is 零食, for 乱填 a category that is no expense.
    const QString expense = u"支出"_s;
    QTest::newRow("rule first") << expense << u"咖啡"_s << u"晨光烘焙"_s << u"餐饮美食"_s << u"零食"_s;
    QTest::newRow("rule of no category is ignored")
        << expense << u"咖啡"_s << u"乱填"_s << u""_s << u"餐饮"_s;
    QTest::newRow("merchandise before counterparty")
        << expense << u"猫粮"_s << u"城市超市"_s << u""_s << u"宠物"_s;
    QTest::newRow("counterparty before source")
        << expense << u""_s << u"城市超市"_s << u"日用百货"_s << u"买菜"_s;
    QTest::newRow("source mapped") << expense << u"抹布"_s << u"某店"_s << u"日用百货"_s << u"日用"_s;
    QTest::newRow("source mapped before its own keyword")
        << expense << u""_s << u"某人"_s << u"微信红包"_s << u"红包"_s;
    QTest::newRow("the later word of the source text")
        << expense << u""_s << u"某人"_s << u"转账-还款"_s << u"还款"_s;
    QTest::newRow("source of the other kind")
        << u"收入"_s << u""_s << u"某店"_s << u"餐饮美食"_s << u"其他收入"_s;
    QTest::newRow("nothing applies") << expense << u"杂项"_s << u"某店"_s << u"商户消费"_s << u"其它"_s;
    QTest::newRow("a word inside a company name is no merchant")
        << expense << u""_s << u"蚂蚁会员(北京)网络技术服务有限公司"_s << u"其他"_s << u"其它"_s;
    QTest::newRow("merchant before the service's category")
        << expense << u"麦当劳餐品"_s << u"某店"_s << u"日用百货"_s << u"餐饮"_s;
    QTest::newRow("another program's category column")
        << expense << u""_s << u"某店"_s << u"Food & Dining"_s << u"餐饮"_s;
}

void ImportTextTest::categories()
{
    QFETCH(QString, kind);
    ImportRow row;
    row.kind = EntryKinds::fromRaw(kind).value();
    QFETCH(QString, merchandise);
    QFETCH(QString, counterparty);
    QFETCH(QString, sourceCategory);
    row.merchandise = merchandise;
    row.counterparty = counterparty;
    row.sourceCategory = sourceCategory;
    const ImportCategorizer categorizer =
        ImportCategorizer::fromTable({{u"晨光烘焙"_s, u"零食"_s}, {u"乱填"_s, u"工资"_s}});
    QTEST(categorizer.categoryFor(row), "category");
}

void ImportTextTest::fileCategories_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fileCategory");
    // Empty for none of ours.
    QTest::addColumn<QString>("category");

    // The user chose 购物 for 杂项开销 and 工资 (no expense) for 乱填.
    const QString expense = u"支出"_s;
    QTest::newRow("our name") << expense << u" 交通 "_s << u"交通"_s;
    QTest::newRow("child of a tree") << expense << u"住房:房租"_s << u"房租"_s;
    QTest::newRow("parent of a tree") << expense << u"礼物:生日"_s << u"礼物"_s;
    QTest::newRow("class left aside") << expense << u"食品:餐饮/家庭"_s << u"餐饮"_s;
    QTest::newRow("a payment service's name") << expense << u"生活:餐饮美食"_s << u"餐饮"_s;
    QTest::newRow("the user's choice") << expense << u"杂项开销"_s << u"购物"_s;
    QTest::newRow("choice of the other kind") << expense << u"乱填"_s << QString();
    QTest::newRow("ours of the other kind") << u"收入"_s << u"交通"_s << QString();
    QTest::newRow("another program's name") << expense << u"Groceries:Misc"_s << u"买菜"_s;
    QTest::newRow("another program's words") << expense << u"Auto & Transport:Gas & Fuel"_s << u"加油费"_s;
    QTest::newRow("a catch-all when nothing says more") << expense << u"Misc"_s << u"其它"_s;
    QTest::newRow("none") << expense << u"Zorbling:Frob"_s << QString();
}

void ImportTextTest::fileCategories()
{
    QFETCH(QString, kind);
    QFETCH(QString, fileCategory);
    QFETCH(QString, category);
    ImportCategorizer categorizer;
    categorizer.setFileCategories({{u"杂项开销"_s, u"购物"_s}, {u"乱填"_s, u"工资"_s}});
    QCOMPARE(categorizer.fileCategory(fileCategory, EntryKinds::fromRaw(kind).value()).value_or(QString()),
             category);
}

void ImportTextTest::qifDates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("dayFirst");
    // Empty for no date.
    QTest::addColumn<QString>("date");

    QTest::newRow("month first") << u"3/20/2024"_s << false << u"2024-03-20"_s;
    QTest::newRow("apostrophe year") << u"03/20'24"_s << false << u"2024-03-20"_s;
    QTest::newRow("padded apostrophe year") << u" 3/ 5' 4"_s << false << u"2004-03-05"_s;
    QTest::newRow("two-digit year") << u"3/20/24"_s << false << u"2024-03-20"_s;
    QTest::newRow("two-digit year of the last century") << u"12/31/99"_s << false << u"1999-12-31"_s;
    QTest::newRow("day first") << u"03/04/2024"_s << true << u"2024-04-03"_s;
    QTest::newRow("dotted") << u"20.03.2024"_s << false << u"2024-03-20"_s;
    QTest::newRow("year first") << u"2024-03-20"_s << true << u"2024-03-20"_s;
    QTest::newRow("no such day") << u"2/30/2024"_s << false << QString();
    QTest::newRow("words") << u"March 20"_s << false << QString();
}

void ImportTextTest::qifDates()
{
    QFETCH(QString, text);
    QFETCH(bool, dayFirst);
    QFETCH(QString, date);
    QCOMPARE(QifDate::parse(text, dayFirst ? ImportDateOrder::dayFirst : ImportDateOrder::monthFirst),
             QDate::fromString(date, Qt::ISODate));
}

PENNYLOOM_TEST(ImportTextTest)

#include "tst_ImportText.moc"
