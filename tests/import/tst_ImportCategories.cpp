// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "import/ImportReader.h"
#include "model/CategoryKeywords.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString dataFile(const QString &name)
{
    return QStringLiteral(PENNYLOOM_IMPORT_DATA) + u'/' + name;
}

} // namespace

// Bills laid out as the payment services, a bank and other programs write them, with the
// merchants and words people meet every month, read with no rules and no history.
class ImportCategoriesTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fewLinesInCatchAll_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("wechat") << u"categories-wechat.csv"_s;
        QTest::newRow("alipay") << u"categories-alipay.csv"_s;
        QTest::newRow("bank statement") << u"categories-bank.csv"_s;
        QTest::newRow("another program's qif") << u"categories-other-program.qif"_s;
    }
    void fewLinesInCatchAll()
    {
        QFETCH(QString, file);
        const ImportResult result = ImportReader::read(dataFile(file), ImportCategorizer());
        QVERIFY2(result.ok(), qPrintable(result.fileError));
        QVERIFY(result.rows.size() >= 25);
        qsizetype catchAll = 0;
        QStringList caught;
        for (const ImportRow &row : result.rows) {
            if (row.category == CategoryKeywords::fallback(row.kind)) {
                ++catchAll;
                caught.append(row.note.isEmpty() ? row.counterparty : row.note);
            }
        }
        qInfo("%s: %lld of %lld lines in a catch-all (%s)", qPrintable(file), qlonglong(catchAll),
              qlonglong(result.rows.size()), qPrintable(caught.join(u", "_s)));
        QVERIFY2(catchAll * 10 <= qsizetype(result.rows.size()), qPrintable(caught.join(u", "_s)));
    }

    // The lines that used to land in a catch-all or in the wrong place.
    void namedLines_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("category");
        const QString wechat = u"categories-wechat.csv"_s;
        QTest::newRow("McDonald's") << wechat << u"麦当劳餐品"_s << u"餐饮"_s;
        QTest::newRow("rice noodles") << wechat << u"过桥米线"_s << u"餐饮"_s;
        QTest::newRow("delivery order") << wechat << u"美团订单-2024031233"_s << u"外卖"_s;
        QTest::newRow("electronics") << wechat << u"电子产品"_s << u"数码"_s;
        QTest::newRow("family card") << wechat << u"亲属卡-超市购物"_s << u"长辈"_s;
        QTest::newRow("mutual aid, not a membership")
            << u"categories-alipay.csv"_s << u"相互宝分摊"_s << u"医疗"_s;
        QTest::newRow("salary from a bank") << u"categories-bank.csv"_s << u"代发工资"_s << u"工资"_s;
        QTest::newRow("bank interest") << u"categories-bank.csv"_s << u"结息"_s << u"投资理财"_s;
        QTest::newRow("english tree") << u"categories-other-program.qif"_s << u"City Fuel"_s << u"加油费"_s;
        QTest::newRow("english income") << u"categories-other-program.qif"_s << u"Broker"_s << u"投资理财"_s;
    }
    void namedLines()
    {
        QFETCH(QString, file);
        QFETCH(QString, note);
        const ImportResult result = ImportReader::read(dataFile(file), ImportCategorizer());
        QVERIFY2(result.ok(), qPrintable(result.fileError));
        const auto row = std::find_if(result.rows.begin(), result.rows.end(), [&](const ImportRow &r) {
            return r.note == note || r.merchandise == note || r.counterparty == note ||
                   r.sourceCategory == note;
        });
        QVERIFY2(row != result.rows.end(), qPrintable(note));
        QTEST(row->category, "category");
    }
};

PENNYLOOM_TEST(ImportCategoriesTest)
#include "tst_ImportCategories.moc"
