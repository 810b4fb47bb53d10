// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"
#include "TestSupport.h"

#include "import/ImportReader.h"

#include <QTest>

using namespace Qt::StringLiterals;

// QIF files with the small flaws other programs leave in them.
class QifReadingTest final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commentsBeforeTheType();
    void splitMemos_data();
    void splitMemos();
    void headerlessNamesItsLine();
};

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

} // namespace

// Comment lines and a blank line before the first "!Type" and between records.
void QifReadingTest::commentsBeforeTheType()
{
    const ImportResult result = ImportReader::read(dataFile(u"qif-comments.qif"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QCOMPARE(result.source, ImportSource::qif);
    QCOMPARE(result.rows.size(), size_t(3));
    QVERIFY(result.errors.empty());
    QCOMPARE(result.rows[2].line, 17);
    QCOMPARE(result.rows[2].note, u"午饭"_s);
    QCOMPARE(result.skippedSections.size(), size_t(1));
    QCOMPARE(result.skippedSections.front().section, u"Type:Cat"_s);
}

void QifReadingTest::splitMemos_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("notes");
    QTest::newRow("split memos keep the payee")
        << "PAmazon\nSHousehold\nE50%\n$-10.00\nSBooks\nE50%\n$-10.00\n"_ba
        << QStringList{u"Amazon · 50%"_s, u"Amazon · 50%"_s};
    QTest::newRow("a split without a memo takes the record's memo")
        << "PAmazon\nMMarch order\nSHousehold\n$-10.00\nSBooks\nEgift\n$-10.00\n"_ba
        << QStringList{u"March order"_s, u"Amazon · gift"_s};
    QTest::newRow("a memo that names the payee stays as it is")
        << "PAmazon\nSHousehold\nEAmazon basics\n$-20.00\n"_ba << QStringList{u"Amazon basics"_s};
    QTest::newRow("no payee") << "SHousehold\nE50%\n$-20.00\n"_ba << QStringList{u"50%"_s};
}

void QifReadingTest::splitMemos()
{
    QFETCH(QByteArray, record);
    QFETCH(QStringList, notes);
    const QByteArray text = "!Type:Bank\nD3/20/2024\nT-20.00\n" + record + "^\n";
    const ImportResult result =
        ImportReader::read(ImportFile::fromBytes(text, u"a.qif"_s), ImportCategorizer());
    QVERIFY2(result.ok(), qPrintable(result.fileError));
    QStringList read;
    for (const ImportRow &row : result.rows)
        read.append(row.note);
    QCOMPARE(read, notes);
}

void QifReadingTest::headerlessNamesItsLine()
{
    const ImportFile file = ImportFile::fromBytes("\n\nD3/20/2024\nT-1.00\n^\n", u"a.qif"_s);
    QVERIFY(!file.ok());
    QVERIFY2(file.error.contains(u"第 3 行"_s), qPrintable(file.error));
}

PENNYLOOM_TEST(QifReadingTest)

#include "tst_QifReading.moc"
