// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "export/ZipWriter.h"
#include "import/ImportReader.h"
#include "import/XlsxTable.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Workbooks built by the test: sheets that name far columns in few bytes, and sheets whose XML
// breaks off partway.
class XlsxReadingTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void farColumnsCostOneField();
    void cellLimit_data();
    void cellLimit();
    void damagedSheets_data();
    void damagedSheets();
    void rowsBeforeDamageWhenChosen();
    void damageBeforeHeader();
};

namespace {

QByteArray workbookOf(const QByteArray &sheetData)
{
    const std::vector<ZipWriter::File> files{
        {u"xl/workbook.xml"_s, "<workbook xmlns:r=\"r\"><sheets><sheet name=\"a\" sheetId=\"1\" "
                               "r:id=\"rId1\"/></sheets></workbook>"},
        {u"xl/_rels/workbook.xml.rels"_s,
         "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
        {u"xl/worksheets/sheet1.xml"_s,
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet><sheetData>\n" + sheetData +
             "</sheetData></worksheet>"},
    };
    return ZipWriter::archive(files).value();
}

QByteArray inlineCell(const char *reference, const QByteArray &text)
{
    return "<c r=\"" + QByteArray(reference) + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// A bank table of a header and 60 lines, 日期 / 金额 / 备注, each row on its own XML line.
QByteArray tableRows()
{
    QByteArray rows = "<row r=\"1\">" + inlineCell("A1", "日期") + inlineCell("B1", "金额") +
                      inlineCell("C1", "备注") + "</row>\n";
    for (int r = 2; r <= 61; ++r) {
        const QByteArray n = QByteArray::number(r);
        rows += "<row r=\"" + n + "\">" + inlineCell(("A" + n).constData(), "2024-03-05") +
                inlineCell(("B" + n).constData(), "-" + n + ".50") +
                inlineCell(("C" + n).constData(), "午饭") + "</row>\n";
    }
    return rows;
}

} // namespace

// 200,000 rows that each hold one cell in column XFD: a few MiB of XML whose rows, padded to
// their column letters, would be three billion fields.
void XlsxReadingTest::farColumnsCostOneField()
{
    QByteArray rows;
    rows.reserve(200'000 * 48);
    for (int r = 1; r <= 200'000; ++r) {
        const QByteArray n = QByteArray::number(r);
        rows += "<row r=\"" + n + "\"><c r=\"XFD" + n + "\"><v>" + n + "</v></c></row>";
    }
    const XlsxTable::Result result = XlsxTable::read(workbookOf(rows));
    QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
    QCOMPARE(result.table.records.size(), size_t(200'000));
    QCOMPARE(result.table.records[199'999].fields, QStringList{u"200000"_s});
    QCOMPARE(result.table.records[199'999].line, 200'000);
}

void XlsxReadingTest::cellLimit_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<qint64>("cellLimit");
    QTest::addColumn<bool>("refused");

    // Each row one cell further right: few cells in the file, but every row as wide as all.
    QByteArray diagonal;
    for (int r = 1; r <= 600; ++r) {
        QString column;
        for (int c = r * 27; c > 0; c = (c - 1) / 26)
            column.prepend(QChar(u'A' + (c - 1) % 26));
        const QByteArray n = QByteArray::number(r);
        diagonal += "<row r=\"" + n + "\"><c r=\"" + column.toLatin1() + n + "\"><v>1</v></c></row>";
    }
    QTest::newRow("cells padded past the limit") << diagonal << qint64(100'000) << true;
    QTest::newRow("the same within a larger limit") << diagonal << qint64(400'000) << false;
    QTest::newRow("filled cells past the limit") << tableRows() << qint64(150) << true;
    QTest::newRow("a table within the limit") << tableRows() << qint64(183) << false;
}

void XlsxReadingTest::cellLimit()
{
    QFETCH(QByteArray, rows);
    QFETCH(qint64, cellLimit);
    QFETCH(bool, refused);
    const XlsxTable::Result result =
        XlsxTable::read(workbookOf(rows), XlsxTable::defaultInflateLimit, cellLimit);
    QCOMPARE(!result.error.isEmpty(), refused);
    if (refused) {
        QVERIFY2(result.error.contains(u"单元格"_s), qPrintable(result.error));
        QVERIFY(result.table.records.empty());
    }
}

void XlsxReadingTest::damagedSheets_data()
{
    QTest::addColumn<QByteArray>("sheet");

    const QByteArray rows = tableRows();
    // Row 51 stands on XML line 51 of the rows (line 53 of the part).
    const qsizetype row51 = rows.indexOf("<row r=\"51\">");
    const qsizetype inside = rows.indexOf("午饭", row51);
    QTest::newRow("a stray <") << QByteArray(rows).insert(inside, "<");
    QTest::newRow("a control character") << QByteArray(rows).insert(inside, "\x01");
    QTest::newRow("&amp without ;") << QByteArray(rows).insert(inside, "&amp");
    QTest::newRow("cut inside the row") << rows.left(inside);
}

// Reading stops where the XML breaks and says where; nothing is imported unless asked.
void XlsxReadingTest::damagedSheets()
{
    QFETCH(QByteArray, sheet);
    const ImportFile file = ImportFile::fromBytes(workbookOf(sheet), u"流水.xlsx"_s);
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    QVERIFY(!result.ok());
    QVERIFY(result.rows.empty());
    QVERIFY2(result.fileError.contains(u"“流水.xlsx”"_s) && result.fileError.contains(u"第 51 行"_s) &&
                 result.fileError.contains(u"XML 第 53 行"_s) && result.fileError.contains(u"49 行"_s),
             qPrintable(result.fileError));
}

void XlsxReadingTest::rowsBeforeDamageWhenChosen()
{
    QByteArray rows = tableRows();
    rows.insert(rows.indexOf("午饭", rows.indexOf("<row r=\"51\">")), "<");
    ImportFile file = ImportFile::fromBytes(workbookOf(rows), u"流水.xlsx"_s);
    QVERIFY(file.ok());
    QCOMPARE(file.rowsBeforeDamage(), 49);
    file.takeBeforeDamage = true;
    const ImportResult result = ImportReader::read(file, ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.rows.size(), size_t(49));
    QCOMPARE(result.rows.back().line, 50);
    QCOMPARE(result.rows.back().cents, qint64(5050));
    QCOMPARE(result.damageLine, 51);
    QVERIFY2(result.damage.contains(u"第 51 行"_s), qPrintable(result.damage));
}

void XlsxReadingTest::damageBeforeHeader()
{
    ImportFile file =
        ImportFile::fromBytes(workbookOf("<row r=\"1\"><c r=\"A1\"><v>1</v></c><"), u"流水.xlsx"_s);
    QVERIFY(!file.ok());
    QVERIFY2(file.error.contains(u"第 1 行"_s) && file.error.contains(u"XML 第"_s), qPrintable(file.error));
}

PENNYLOOM_TEST(XlsxReadingTest)

#include "tst_XlsxReading.moc"
