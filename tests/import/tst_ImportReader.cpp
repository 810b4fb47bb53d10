// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

    QTest::newRow("wechat csv") << u"wechat.csv"_s << u"wechat"_s << u"UTF-8 BOM"_s << 8 << 2 << 1 << 1
                                << QList<int>{24, 25};
    QTest::newRow("wechat xlsx") << u"wechat.xlsx"_s << u"wechat"_s << u"xlsx"_s << 2 << 1 << 0 << 0
                                 << QList<int>{};
    QTest::newRow("alipay") << u"alipay.csv"_s << u"alipay"_s << u"GB18030"_s << 4 << 2 << 1 << 0
                            << QList<int>{};
    QTest::newRow("alipay older, totals after the rule")
        << u"alipay-older.csv"_s << u"alipay"_s << u"GB18030"_s << 3 << 1 << 1 << 1 << QList<int>{};
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
    QTest::newRow("keyword in counterparty")
        << u"wechat.csv"_s << 14 << u"2024-03-28T18:02:13"_s << expense << qint64(1880) << u"水果"_s
        << u"收款方备注:二维码收款"_s << u"1000050001202403281802"_s;
    QTest::newRow("part refunded, net amount")
        << u"wechat.csv"_s << 15 << u"2024-03-27T21:45:00"_s << expense << qint64(2500) << u"服饰"_s
        << u"纯棉衣服"_s << u"4200000003202403272145"_s;
    QTest::newRow("income fallback") << u"wechat.csv"_s << 19 << u"2024-03-23T14:00:00"_s << income
                                     << qint64(10000) << u"其他收入"_s << u"周大姐"_s
                                     << u"1000070001202403231400"_s;
    QTest::newRow("income red packet")
        << u"wechat.csv"_s << 20 << u"2024-03-22T20:00:00"_s << income << qint64(888) << u"红包礼金"_s
        << u"王二"_s << u"1000070002202403222000"_s;
    QTest::newRow("quoted line break, expense fallback")
        << u"wechat.csv"_s << 22 << u"2024-03-20T07:40:00"_s << expense << qint64(8800) << u"其它"_s
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
}

void ImportReaderTest::rows()
{
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(QString, time);
    QFETCH(QString, kind);
    const ImportResult result = ImportReader::read(dataFile(file), ImportCategorizer());
    const auto row = std::find_if(result.rows.begin(), result.rows.end(),
                                  [line](const ImportRow &candidate) { return candidate.line == line; });
    QVERIFY2(row != result.rows.end(), qPrintable(u"no row on line %1"_s.arg(line)));
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

PENNYLOOM_TEST(ImportReaderTest)

#include "tst_ImportReader.moc"
