// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportReader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <ctime>

using namespace Qt::StringLiterals;

// OFX statements written by the test: values that do not read exactly, damaged markup, a
// header whose character set the bytes do not keep to, and a statement of 10^5 transactions.
class OfxReadingTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void values_data();
    void values();
    void missingEndTag();
    void xmlMissingEndTag();
    void headerCharsetWhenNotUtf8();
    void cutInsideTransaction();
    void wholeFileErrors_data();
    void wholeFileErrors();
    void investmentsCounted();
    void hundredThousandTransactions();
};

namespace {

QByteArray sgml(const QByteArray &transactions)
{
    return "OFXHEADER:100\nDATA:OFXSGML\nVERSION:102\nENCODING:UTF-8\nCHARSET:NONE\n\n<OFX>\n<BANKMSGSRSV1>\n"
           "<STMTTRNRS>\n<STMTRS>\n<BANKACCTFROM>\n<ACCTID>62220000\n</BANKACCTFROM>\n<BANKTRANLIST>\n" +
           transactions + "</BANKTRANLIST>\n</STMTRS>\n</STMTTRNRS>\n</BANKMSGSRSV1>\n</OFX>\n";
}

// One transaction on line 15 of the statement.
QByteArray oneTransaction(const QByteArray &posted, const QByteArray &amount)
{
    return sgml("<STMTTRN>\n<TRNTYPE>DEBIT\n<DTPOSTED>" + posted + "\n<TRNAMT>" + amount +
                "\n<FITID>T1\n<NAME>青禾小馆\n</STMTTRN>\n");
}

QByteArray bytesOf(const QString &name)
{
    QFile file(QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing test file %s", qPrintable(name));
    return file.readAll();
}

} // namespace

void OfxReadingTest::values_data()
{
    QTest::addColumn<QByteArray>("posted");
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<QString>("time");   // ISO local time of the row, empty when the line is unreadable
    QTest::addColumn<qint64>("cents");   // signed
    QTest::addColumn<QString>("reason"); // part of the line's reason

    QTest::newRow("date alone") << "20240305"_ba
                                << "-25.50"_ba << u"2024-03-05T12:00:00"_s << qint64(-2550) << QString();
    QTest::newRow("time, fraction and zone")
        << "20240305193000.000[-5:EST]"_ba
        << "+8000"_ba << u"2024-03-05T19:30:00"_s << qint64(800000) << QString();
    QTest::newRow("half-hour zone") << "20240305193000[+5.30:IST]"_ba
                                    << "12,5"_ba << u"2024-03-05T19:30:00"_s << qint64(1250) << QString();
    QTest::newRow("garbage date") << "garbage"_ba
                                  << "-1.00"_ba << QString() << qint64(0) << u"“garbage”"_s;
    QTest::newRow("empty date") << ""_ba
                                << "-1.00"_ba << QString() << qint64(0) << u"缺少入账日期"_s;
    QTest::newRow("month 13") << "20241399"_ba
                              << "-1.00"_ba << QString() << qint64(0) << u"“20241399”"_s;
    QTest::newRow("30 February") << "20240230"_ba
                                 << "-1.00"_ba << QString() << qint64(0) << u"“20240230”"_s;
    QTest::newRow("hour 25") << "20240305250000"_ba
                             << "-1.00"_ba << QString() << qint64(0) << u"无法读取"_s;
    QTest::newRow("trailing text") << "20240305x"_ba
                                   << "-1.00"_ba << QString() << qint64(0) << u"无法读取"_s;
    QTest::newRow("double sign") << "20240305"_ba
                                 << "--5"_ba << QString() << qint64(0) << u"“--5”"_s;
    QTest::newRow("empty amount") << "20240305"_ba
                                  << ""_ba << QString() << qint64(0) << u"缺少金额"_s;
    QTest::newRow("three decimals") << "20240305"_ba
                                    << "-1.005"_ba << QString() << qint64(0) << u"“-1.005”"_s;
}

// A date or amount that does not read exactly is an unreadable line with its reason, never a
// made-up date or a line left out as neither income nor expense.
void OfxReadingTest::values()
{
    QFETCH(QByteArray, posted);
    QFETCH(QByteArray, amount);
    QFETCH(QString, time);
    QFETCH(qint64, cents);
    QFETCH(QString, reason);
    // The bank's wall-clock time stays as written in a zone with daylight saving too.
    const TestSupport::ScopedTimeZone zone("Europe/Berlin");
    const ImportResult result = ImportReader::read(
        ImportFile::fromBytes(oneTransaction(posted, amount), u"a.ofx"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QVERIFY(result.skipped.empty());
    if (time.isEmpty()) {
        QVERIFY(result.rows.empty());
        QCOMPARE(result.errors.size(), size_t(1));
        QCOMPARE(result.errors.front().line, 15);
        QVERIFY2(result.errors.front().reason.contains(reason), qPrintable(result.errors.front().reason));
        return;
    }
    QVERIFY(result.errors.empty());
    QCOMPARE(result.rows.size(), size_t(1));
    QCOMPARE(result.rows.front().time.toString(Qt::ISODate), time);
    QCOMPARE(cents < 0 ? -result.rows.front().cents : result.rows.front().cents, cents);
    QCOMPARE(result.rows.front().kind, cents < 0 ? EntryKind::expense : EntryKind::income);
}

// The first transaction lacks </STMTTRN>: every transaction is read, the damage is named, and
// the header's Windows-1252 does not garble notes whose bytes are UTF-8.
void OfxReadingTest::missingEndTag()
{
    const ImportResult result = ImportReader::read(
        ImportFile::fromBytes(bytesOf(u"statement-missing-end.ofx"_s), u"a.ofx"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.rows.size(), size_t(3));
    QVERIFY(result.errors.empty());
    QCOMPARE(result.rows[0].line, 25);
    QCOMPARE(result.rows[0].note, u"早餐 & 咖啡"_s);
    QCOMPARE(result.rows[0].counterparty, u"晨光烘焙"_s);
    QCOMPARE(result.rows[0].transactionId, u"6222000033334444/M20240403001"_s);
    QCOMPARE(result.rows[1].note, u"地铁"_s);
    QCOMPARE(result.rows[2].cents, qint64(30000));
    QCOMPARE(result.damageLine, 25);
    QVERIFY2(result.damage.contains(u"第 25 行的 <STMTTRN> 没有结束标记"_s), qPrintable(result.damage));
}

void OfxReadingTest::xmlMissingEndTag()
{
    const QByteArray xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?OFX OFXHEADER=\"200\" VERSION=\"211\"?>\n"
        "<OFX><CREDITCARDMSGSRSV1><CCSTMTTRNRS><CCSTMTRS>\n"
        "<CCACCTFROM><ACCTID>4367</ACCTID></CCACCTFROM>\n<BANKTRANLIST>\n"
        "<STMTTRN><DTPOSTED>20240302</DTPOSTED><TRNAMT>-88.00</TRNAMT><FITID>A</FITID>\n"
        "<NAME>山水影城</NAME><MEMO>电影票</MEMO>\n"
        "<STMTTRN><DTPOSTED>20240303</DTPOSTED><TRNAMT>-9.00</TRNAMT><FITID>B</FITID>"
        "<NAME>阿强水果店</NAME></STMTTRN>\n"
        "</BANKTRANLIST></CCSTMTRS></CCSTMTTRNRS></CREDITCARDMSGSRSV1></OFX>\n";
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes(xml, u"a.qfx"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.rows.size(), size_t(2));
    QCOMPARE(result.rows[0].note, u"电影票"_s);
    QCOMPARE(result.rows[1].transactionId, u"4367/B"_s);
    QCOMPARE(result.damageLine, 6);
}

// Bytes that are not UTF-8 are read in the character set the header names.
void OfxReadingTest::headerCharsetWhenNotUtf8()
{
    QByteArray text = oneTransaction("20240305", "-3.20");
    text.replace("CHARSET:NONE", "CHARSET:1252").replace("ENCODING:UTF-8", "ENCODING:USASCII");
    text.replace(QByteArray("青禾小馆"), QByteArray("Caf\xE9 \x80"));
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes(text, u"a.ofx"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.rows.size(), size_t(1));
    QCOMPARE(result.rows.front().counterparty, u"Café €"_s);
}

// The file ends inside its second transaction: the first is read, the cut one is unreadable,
// and the damage says where the file ends.
void OfxReadingTest::cutInsideTransaction()
{
    QByteArray text = sgml("<STMTTRN>\n<DTPOSTED>20240301\n<TRNAMT>-1.00\n<FITID>A\n</STMTTRN>\n"
                           "<STMTTRN>\n<DTPOSTED>20240302\n<TRNAMT>-2.00\n<NAME>半个名\n</STMTTRN>\n");
    text.truncate(text.indexOf("<NAME>半") + 7);
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes(text, u"a.ofx"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.rows.size(), size_t(1));
    QCOMPARE(result.errors.size(), size_t(1));
    QCOMPARE(result.errors.front().line, 20);
    QCOMPARE(result.damageLine, 23);
    QVERIFY2(result.damage.contains(u"第 23 行结束"_s), qPrintable(result.damage));
}

void OfxReadingTest::wholeFileErrors_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("no OFX element") << "OFXHEADER:100\nDATA:OFXSGML\n\nnothing here\n"_ba << u"第 4 行"_s;
    QTest::newRow("cut before any transaction")
        << "OFXHEADER:100\nDATA:OFXSGML\n\n<OFX><BANKMSGSRSV1><STMTTRN>\n"_ba << u"第 5 行"_s;
    QTest::newRow("an unclosed <") << "OFXHEADER:100\n\n<OFX>\n<BANKMSGSRSV1\n"_ba << u"第 4 行"_s;
}

void OfxReadingTest::wholeFileErrors()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes(bytes, u"a.ofx"_s), ImportCategorizer());
    QVERIFY(!result.ok());
    QVERIFY2(result.fileError.contains(u"“a.ofx”"_s) && result.fileError.contains(message),
             qPrintable(result.fileError));
}

void OfxReadingTest::investmentsCounted()
{
    const QByteArray text = "OFXHEADER:100\n\n<OFX><INVSTMTMSGSRSV1><INVSTMTTRNRS><INVSTMTRS><INVTRANLIST>\n"
                            "<BUYSTOCK><INVBUY><TOTAL>-100</INVBUY></BUYSTOCK>\n"
                            "<INVBANKTRAN><STMTTRN><DTPOSTED>20240301<TRNAMT>5.00</STMTTRN></INVBANKTRAN>\n"
                            "</INVTRANLIST></INVSTMTRS></INVSTMTTRNRS></INVSTMTMSGSRSV1></OFX>\n";
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes(text, u"a.ofx"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QVERIFY(result.rows.empty());
    QCOMPARE(result.skippedSections.size(), size_t(1));
    QCOMPARE(result.skippedSections.front().records, 2);
    QVERIFY(result.damage.isEmpty());
}

// Reading grows with the file, not faster: 10^5 transactions are all read, each on its line.
void OfxReadingTest::hundredThousandTransactions()
{
    constexpr int count = 100'000;
    QByteArray transactions;
    transactions.reserve(count * 110);
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        transactions += "<STMTTRN>\n<TRNTYPE>DEBIT\n<DTPOSTED>20240305\n<TRNAMT>-" +
                        QByteArray::number(i % 900 + 1) + ".25\n<FITID>F" + n + "\n<NAME>店" + n +
                        "\n</STMTTRN>\n";
    }
    const QByteArray text = sgml(transactions);
    // Processor time as well as the clock's, which a busy machine stretches.
    QElapsedTimer timer;
    timer.start();
    const std::clock_t start = std::clock();
    const ImportFile file = ImportFile::fromBytes(text, u"a.ofx"_s);
    const std::clock_t loaded = std::clock();
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    const auto ms = [](std::clock_t ticks) { return static_cast<long long>(ticks * 1000 / CLOCKS_PER_SEC); };
    qInfo("%d transactions in %lld ms (processor: %lld ms loading, %lld ms into rows)", count,
          static_cast<long long>(timer.elapsed()), ms(loaded - start), ms(std::clock() - loaded));
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.rows.size(), size_t(count));
    QCOMPARE(result.rows.back().line, 15 + 7 * (count - 1));
    QCOMPARE(result.rows.back().transactionId, u"62220000/F99999"_s);
}

PENNYLOOM_TEST(OfxReadingTest)

#include "tst_OfxReading.moc"
