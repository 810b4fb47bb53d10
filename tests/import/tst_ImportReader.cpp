// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportReader.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using namespace Qt::StringLiterals;

// The bill files under tests/data/import, each read whole: what is imported, what is left out
// and why, and the rows' fields exact to the cent.
class ImportReaderTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void files_data();
    void files();
    void rows_data();
    void rows();
    void refusedFiles_data();
    void refusedFiles();
    void dateOrders_data();
    void dateOrders();
    void chosenFileCategories();
    void statementIdsAreStable();
};

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

QByteArray bytesOf(const QString &name)
{
    QFile file(dataFile(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return file.readAll();
}

// "Account 3, Type:Cat 3"
QString sectionsOf(const std::vector<ImportSkippedSection> &sections)
{
    QStringList texts;
    for (const ImportSkippedSection &section : sections)
        texts.append(u"%1 %2"_s.arg(section.section).arg(section.records));
    return texts.join(u", "_s);
}

const ImportRow *rowOn(const ImportResult &result, int line)
{
    const auto row = std::find_if(result.rows.begin(), result.rows.end(),
                                  [line](const ImportRow &candidate) { return candidate.line == line; });
    return row == result.rows.end() ? nullptr : &*row;
}

QList<int> linesOf(const std::vector<ImportRowError> &errors)
{
    QList<int> lines;
    for (const ImportRowError &error : errors)
        lines.append(error.line);
    return lines;
}

} // namespace

void ImportReaderTest::files_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("encoding");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("neutral");
    QTest::addColumn<int>("failed");
    QTest::addColumn<int>("refunded");
    QTest::addColumn<QList<int>>("errorLines");
    QTest::addColumn<QString>("skippedSections");
    QTest::addColumn<bool>("dateOrderAmbiguous");
    QTest::addColumn<QStringList>("unmatchedCategories");

    QTest::newRow("wechat csv") << u"wechat.csv"_s << u"wechat"_s << u"UTF-8 BOM"_s << 8 << 2 << 1 << 1
                                << QList<int>{24, 25} << QString() << false << QStringList();
    QTest::newRow("wechat xlsx") << u"wechat.xlsx"_s << u"wechat"_s << u"xlsx"_s << 2 << 1 << 0 << 0
                                 << QList<int>{} << QString() << false << QStringList();
    QTest::newRow("alipay") << u"alipay.csv"_s << u"alipay"_s << u"GB18030"_s << 4 << 2 << 1 << 0
                            << QList<int>{} << QString() << false << QStringList();
    QTest::newRow("alipay older, totals after the rule")
        << u"alipay-older.csv"_s << u"alipay"_s << u"GB18030"_s << 3 << 1 << 1 << 1 << QList<int>{}
        << QString() << false << QStringList();
    QTest::newRow("qif: splits, a transfer and a zero left out")
        << u"qif-us.qif"_s << u"qif"_s << u"UTF-8"_s << 5 << 2 << 0 << 0 << QList<int>{} << QString() << false
        << QStringList{u"杂项开销"_s};
    QTest::newRow("qif: apostrophe years, no date tells the order, latin-1")
        << u"qif-apostrophe.qif"_s << u"qif"_s << u"Latin-1"_s << 3 << 0 << 0 << 0 << QList<int>{}
        << QString() << true << QStringList();
    QTest::newRow("qif: lists of accounts and categories left out")
        << u"qif-european.qif"_s << u"qif"_s << u"UTF-8"_s << 4 << 0 << 0 << 0 << QList<int>{}
        << u"Account 3, Type:Cat 3"_s << false << QStringList();
    QTest::newRow("qif: broken records, investments, gb18030")
        << u"qif-odd.qif"_s << u"qif"_s << u"GB18030"_s << 2 << 0 << 0 << 0 << QList<int>{20, 23, 26, 34}
        << u"Type:Invst 1, Type:Memorized 1"_s << true << QStringList();
    QTest::newRow("ofx 1.x bank statement") << u"bank-statement.ofx"_s << u"ofx"_s << u"OFX"_s << 3 << 1 << 0
                                            << 0 << QList<int>{} << QString() << false << QStringList();
    QTest::newRow("ofx 2.x card statement") << u"card-statement.qfx"_s << u"ofx"_s << u"OFX"_s << 3 << 0 << 0
                                            << 0 << QList<int>{} << QString() << false << QStringList();
}

void ImportReaderTest::files()
{
    QFETCH(QString, file);
    QFETCH(QString, source);
    const ImportResult result = ImportReader::read(dataFile(file), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(ImportSources::id(result.source), source);
    QTEST(result.encoding, "encoding");
    QTEST(int(result.rows.size()), "rows");
    QTEST(result.skippedFor(ImportSkipReason::neutral), "neutral");
    QTEST(result.skippedFor(ImportSkipReason::failedOrClosed), "failed");
    QTEST(result.skippedFor(ImportSkipReason::refunded), "refunded");
    QTEST(linesOf(result.errors), "errorLines");
    QTEST(sectionsOf(result.skippedSections), "skippedSections");
    QTEST(result.dateOrderAmbiguous, "dateOrderAmbiguous");
    QTEST(result.unmatchedCategories, "unmatchedCategories");
}

void ImportReaderTest::rows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("transactionId");

    const QString expense = u"支出"_s;
    const QString income = u"收入"_s;
    QTest::newRow("keyword in merchandise")
        << u"wechat.csv"_s << 11 << u"2024-03-31T12:05:10"_s << expense << qint64(2550) << u"餐饮"_s
        << u"午餐套餐"_s << u"4200000001202403311205"_s;
    QTest::newRow("red packet by the file's category, note from counterparty")
        << u"wechat.csv"_s << 12 << u"2024-03-30T19:20:00"_s << expense << qint64(6600) << u"红包"_s
        << u"李小北"_s << u"1000039901202403301920"_s;
    QTest::newRow("keyword in counterparty, stock wording gives way to it")
        << u"wechat.csv"_s << 14 << u"2024-03-28T18:02:13"_s << expense << qint64(1880) << u"水果"_s
        << u"阿强水果店"_s << u"1000050001202403281802"_s;
    QTest::newRow("part refunded, net amount")
        << u"wechat.csv"_s << 15 << u"2024-03-27T21:45:00"_s << expense << qint64(2500) << u"服饰"_s
        << u"纯棉衣服"_s << u"4200000003202403272145"_s;
    QTest::newRow("income fallback") << u"wechat.csv"_s << 19 << u"2024-03-23T14:00:00"_s << income
                                     << qint64(10000) << u"其他收入"_s << u"周大姐"_s
                                     << u"1000070001202403231400"_s;
    QTest::newRow("income red packet")
        << u"wechat.csv"_s << 20 << u"2024-03-22T20:00:00"_s << income << qint64(888) << u"红包礼金"_s
        << u"王二"_s << u"1000070002202403222000"_s;
    QTest::newRow("quoted line break, cake by the merchant table")
        << u"wechat.csv"_s << 22 << u"2024-03-20T07:40:00"_s << expense << qint64(8800) << u"零食"_s
        << u"生日\n蛋糕"_s << u"4200000006202403200740"_s;
    QTest::newRow("xlsx day number, numeric amount")
        << u"wechat.xlsx"_s << 5 << u"2024-03-31T12:05:00"_s << expense << qint64(2530) << u"餐饮"_s
        << u"早餐"_s << u"4200000101202403311205"_s;
    QTest::newRow("xlsx text time, refund")
        << u"wechat.xlsx"_s << 6 << u"2024-03-30T09:00:00"_s << expense << qint64(1000) << u"交通"_s
        << u"地铁乘车码"_s << u"4200000102202403300900"_s;
    QTest::newRow("alipay category mapped, four-byte GB18030")
        << u"alipay.csv"_s << 15 << u"2024-03-31T18:30:00"_s << expense << qint64(2200) << u"餐饮"_s
        << u"牛肉面"_s << u"2024033122001400001"_s;
    QTest::newRow("alipay trailing tab in status")
        << u"alipay.csv"_s << 16 << u"2024-03-30T08:15:00"_s << expense << qint64(3590) << u"交通"_s
        << u"快车 3月30日行程"_s << u"2024033022001400002"_s;
    QTest::newRow("alipay income keyword")
        << u"alipay.csv"_s << 19 << u"2024-03-27T09:00:00"_s << income << qint64(200000) << u"工资"_s
        << u"三月工资"_s << u"2024032722001400005"_s;
    QTest::newRow("alipay trailing blank in amount")
        << u"alipay.csv"_s << 20 << u"2024-03-26T16:40:00"_s << expense << qint64(2200) << u"服饰"_s
        << u"帆布"_s << u"2024032622001400006"_s;
    QTest::newRow("older: paid time, padded fields")
        << u"alipay-older.csv"_s << 6 << u"2016-12-01T12:01:30"_s << expense << qint64(1500) << u"餐饮"_s
        << u"盒饭"_s << u"2016120121001004000000001"_s;
    QTest::newRow("older: part refund column")
        << u"alipay-older.csv"_s << 7 << u"2016-12-02T09:00:10"_s << expense << qint64(5000) << u"书籍"_s
        << u"编程教材两本"_s << u"2016120221001004000000002"_s;
    QTest::newRow("older: created time when unpaid")
        << u"alipay-older.csv"_s << 9 << u"2016-12-04T20:00:00"_s << income << qint64(5000) << u"其他收入"_s
        << u"张三丰"_s << u"2016120421001004000000004"_s;
    QTest::newRow("qif: grouping, child of a category tree")
        << u"qif-us.qif"_s << 2 << u"2024-03-20T12:00:00"_s << expense << qint64(123456) << u"房租"_s
        << u"三月房租"_s << QString();
    QTest::newRow("qif: income, note from payee")
        << u"qif-us.qif"_s << 10 << u"2024-03-21T12:00:00"_s << income << qint64(800000) << u"工资"_s
        << u"星河科技"_s << QString();
    QTest::newRow("qif: split with its own memo, after the payee")
        << u"qif-us.qif"_s << 25 << u"2024-03-23T12:00:00"_s << expense << qint64(2000) << u"水果"_s
        << u"城市超市 · 苹果"_s << QString();
    QTest::newRow("qif: split with the record's memo")
        << u"qif-us.qif"_s << 28 << u"2024-03-23T12:00:00"_s << expense << qint64(10000) << u"日用"_s
        << u"周末采购"_s << QString();
    QTest::newRow("qif: unmatched category kept in the note")
        << u"qif-us.qif"_s << 35 << u"2024-03-25T12:00:00"_s << expense << qint64(3500) << u"其它"_s
        << u"街角小铺（杂项开销）"_s << QString();
    QTest::newRow("qif: dotted date, decimal comma")
        << u"qif-european.qif"_s << 26 << u"2024-03-20T12:00:00"_s << expense << qint64(102550) << u"餐饮"_s
        << u"面馆"_s << QString();
    QTest::newRow("qif: day first proven by another date")
        << u"qif-european.qif"_s << 40 << u"2024-04-03T12:00:00"_s << expense << qint64(990) << u"餐饮"_s
        << u"早餐店"_s << QString();
    QTest::newRow("qif: parent of a category tree")
        << u"qif-odd.qif"_s << 29 << u"2024-03-06T12:00:00"_s << expense << qint64(6600) << u"礼物"_s
        << u"某公司"_s << QString();
    QTest::newRow("qif: padded one-digit year, U amount")
        << u"qif-apostrophe.qif"_s << 7 << u"2004-03-07T12:00:00"_s << expense << qint64(1250) << u"其它"_s
        << u"Kiosk"_s << QString();
    QTest::newRow("ofx: date alone, account and bank id")
        << u"bank-statement.ofx"_s << 39 << u"2024-03-05T12:00:00"_s << expense << qint64(2550) << u"餐饮"_s
        << u"午餐"_s << u"6222000011112222/B20240305001"_s;
    QTest::newRow("ofx: time as written, zone aside")
        << u"card-statement.qfx"_s << 21 << u"2024-03-02T19:30:00"_s << expense << qint64(8800) << u"电影票"_s
        << u"电影票两张"_s << u"4367420012345678/CC0302A"_s;
    QTest::newRow("ofx: income exact to the cent")
        << u"card-statement.qfx"_s << 29 << u"2024-03-05T12:00:00"_s << income << qint64(3029) << u"退款"_s
        << u"退货退款"_s << u"4367420012345678/CC0305B"_s;
}

void ImportReaderTest::rows()
{
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QString, time);
    QFETCH(QString, kind);
    const ImportResult result = ImportReader::read(dataFile(file), ImportCategorizer());
    const ImportRow *row = rowOn(result, line);
    QVERIFY2(row, qPrintable(u"no row on line %1"_s.arg(line)));
    QCOMPARE(row->time, TestSupport::at(time));
    QCOMPARE(EntryKinds::rawText(row->kind), kind);
    QTEST(row->cents, "cents");
    QTEST(row->category, "category");
    QTEST(row->note, "note");
    QTEST(row->transactionId, "transactionId");
}

void ImportReaderTest::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("maxFileBytes");
    QTest::addColumn<qint64>("maxInflatedBytes");
    QTest::addColumn<QString>("message");

    const ImportLimits limits;
    const QByteArray workbook = bytesOf(u"wechat.xlsx"_s);
    QTest::newRow("inflates past the limit")
        << bytesOf(u"inflates.xlsx"_s) << limits.maxFileBytes << qint64(1024 * 1024) << u"解压后超过 1 MiB"_s;
    QTest::newRow("truncated workbook") << workbook.left(workbook.size() / 2) << limits.maxFileBytes
                                        << limits.maxInflatedBytes << u"不完整或已损坏"_s;
    QTest::newRow("past the size cap")
        << bytesOf(u"wechat.csv"_s) << qint64(2048) << limits.maxInflatedBytes << u"超过 2 KiB"_s;
    QTest::newRow("utf-16") << QByteArray("\xFF\xFE"
                                          "a\0,\0b\0",
                                          8)
                            << limits.maxFileBytes << limits.maxInflatedBytes << u"UTF-16"_s;
    QTest::newRow("binary") << QByteArray("\x01\x02\0\x03,", 5) << limits.maxFileBytes
                            << limits.maxInflatedBytes << u"不是文本"_s;
    QTest::newRow("neither encoding") << QByteArray("a,b\n\x80\xFF,c\n") << limits.maxFileBytes
                                      << limits.maxInflatedBytes << u"既不是 UTF-8，也不是 GB18030"_s;
    QTest::newRow("empty") << QByteArray(" \r\n") << limits.maxFileBytes << limits.maxInflatedBytes
                           << u"空文件"_s;
    QTest::newRow("no table") << QByteArray("just one line\nand another\n") << limits.maxFileBytes
                              << limits.maxInflatedBytes << u"找不到列名"_s;
    QTest::newRow("ofx cut before its first transaction")
        << QByteArray("OFXHEADER:100\nDATA:OFXSGML\n\n<OFX><BANKMSGSRSV1><STMTTRN>\n") << limits.maxFileBytes
        << limits.maxInflatedBytes << u"不是能读取的 OFX 对账单"_s;
    QTest::newRow("qif records without a type line")
        << QByteArray("D3/20/2024\nT-1.00\n^\n") << limits.maxFileBytes << limits.maxInflatedBytes
        << u"没有“!Type:”"_s;
    QTest::newRow("table without date or amount") << QByteArray("名称,数量\n苹果,3\n") << limits.maxFileBytes
                                                  << limits.maxInflatedBytes << u"请指定日期和金额所在的列"_s;
}

void ImportReaderTest::refusedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(qint64, maxFileBytes);
    QFETCH(qint64, maxInflatedBytes);
    ImportLimits limits;
    limits.maxFileBytes = maxFileBytes;
    limits.maxInflatedBytes = maxInflatedBytes;
    // From memory and from a file on disk, which is refused by its size before it is read.
    QTemporaryDir dir;
    QFile file(dir.filePath(u"账单.csv"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    for (const ImportFile &loaded :
         {ImportFile::fromBytes(bytes, u"账单.csv"_s, limits), ImportFile::load(file.fileName(), limits)}) {
        const ImportResult result = ImportReader::read(loaded, ImportCategorizer());
        QVERIFY(!result.ok());
        QVERIFY2(result.fileError.contains(u"“账单.csv”"_s) && result.fileError.contains(message),
                 qPrintable(result.fileError));
        QVERIFY(result.rows.empty());
    }
}

void ImportReaderTest::dateOrders_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<ImportDateOrder>("order");
    QTest::addColumn<int>("line");
    // Empty where the line is an error in that order.
    QTest::addColumn<QString>("date");

    QTest::newRow("ambiguous reads month first")
        << u"qif-apostrophe.qif"_s << ImportDateOrder::automatic << 2 << u"2024-03-05"_s;
    QTest::newRow("ambiguous read day first")
        << u"qif-apostrophe.qif"_s << ImportDateOrder::dayFirst << 7 << u"2004-07-03"_s;
    QTest::newRow("chosen order the file disproves")
        << u"qif-european.qif"_s << ImportDateOrder::monthFirst << 36 << QString();
    QTest::newRow("dotted dates are day first in any order")
        << u"qif-european.qif"_s << ImportDateOrder::monthFirst << 26 << u"2024-03-20"_s;
}

void ImportReaderTest::dateOrders()
{
    QFETCH(QString, file);
    QFETCH(ImportDateOrder, order);
    QFETCH(int, line);
    QFETCH(QString, date);
    const ImportResult result =
        ImportReader::read(ImportFile::load(dataFile(file)), ImportCategorizer(), order);
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    const ImportRow *row = rowOn(result, line);
    if (date.isEmpty()) {
        QVERIFY(!row);
        QVERIFY(linesOf(result.errors).contains(line));
        return;
    }
    QVERIFY2(row, qPrintable(u"no row on line %1"_s.arg(line)));
    QCOMPARE(row->time.date(), QDate::fromString(date, Qt::ISODate));
}

// The user's choice for a category the file names wins over the existing order and the name
// is no longer listed as unmatched; a choice of the other kind's category is not taken, and the
// name then goes by what it says (Salary, a name other programs use, is 工资).
void ImportReaderTest::chosenFileCategories()
{
    ImportCategorizer categorizer;
    categorizer.setFileCategories({{u"杂项开销"_s, u"购物"_s}, {u"Salary"_s, u"餐饮"_s}});
    for (const auto &[file, line, category] :
         {std::tuple(u"qif-us.qif"_s, 35, u"购物"_s), std::tuple(u"qif-apostrophe.qif"_s, 11, u"工资"_s)}) {
        const ImportResult result = ImportReader::read(dataFile(file), categorizer);
        const ImportRow *row = rowOn(result, line);
        QVERIFY(row);
        QCOMPARE(row->category, category);
        QVERIFY(!result.unmatchedCategories.contains(row->sourceCategory));
    }
}

// A statement read from memory or from its file, again and again, gives the same ids, one per
// transaction, so a second import finds them all imported.
void ImportReaderTest::statementIdsAreStable()
{
    const auto idsOf = [](const ImportFile &file) {
        QStringList ids;
        for (const ImportRow &row : ImportReader::read(file, ImportCategorizer()).rows)
            ids.append(row.transactionId);
        return ids;
    };
    const QString path = dataFile(u"bank-statement.ofx"_s);
    const QStringList ids = idsOf(ImportFile::load(path));
    QCOMPARE(ids.size(), 3);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 3);
    QCOMPARE(idsOf(ImportFile::fromBytes(bytesOf(u"bank-statement.ofx"_s), u"x.ofx"_s)), ids);
    QCOMPARE(idsOf(ImportFile::load(path)), ids);
}

PENNYLOOM_TEST(ImportReaderTest)

#include "tst_ImportReader.moc"
