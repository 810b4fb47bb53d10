// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/CategoryWordTable.h"
#include "model/EntryKind.h"
#include "model/LedgerCategories.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(EntryKind)

class CategoryWordTableTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tablesAreBuiltIn()
    {
        QVERIFY(CategoryWordTable::merchants().wordCount() > 1000);
        QVERIFY(CategoryWordTable::peerNames().wordCount() > 500);
    }

    // Every row of the data files names one of our categories of its kind (or shields), so a
    // slip in a file is found here rather than as lines quietly left in a catch-all.
    void everyRowNamesOurCategory_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("merchants") << u":/categories/merchants.tsv"_s;
        QTest::newRow("peer names") << u":/categories/peer-categories.tsv"_s;
    }
    void everyRowNamesOurCategory()
    {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        int row = 0;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            ++row;
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            const QStringList fields = line.split(u'\t');
            QVERIFY2(fields.size() == 3, qPrintable(u"row %1"_s.arg(row)));
            const QString kind = fields.at(0);
            const QString category = fields.at(1);
            if (kind == u"*"_s) {
                QCOMPARE(category, u"-"_s);
                continue;
            }
            const std::optional<EntryKind> entryKind = EntryKinds::fromRaw(kind);
            QVERIFY2(entryKind && (kind == u"支出"_s || kind == u"收入"_s), qPrintable(u"row %1"_s.arg(row)));
            QVERIFY2(LedgerCategories::forKind(*entryKind).contains(category),
                     qPrintable(u"row %1: %2"_s.arg(row).arg(category)));
        }
    }

    void merchants_data()
    {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("category"); // empty: none

        const EntryKind out = EntryKind::expense;
        const EntryKind in = EntryKind::income;
        QTest::newRow("chain") << out << u"麦当劳(人民广场店)"_s << u"餐饮"_s;
        QTest::newRow("dish") << out << u"云南过桥米线"_s << u"餐饮"_s;
        QTest::newRow("delivery order with a number") << out << u"美团订单-2024031233"_s << u"外卖"_s;
        QTest::newRow("longest wins over its brand") << out << u"美团单车骑行卡"_s << u"交通"_s;
        QTest::newRow("electronics") << out << u"电子产品"_s << u"数码"_s;
        QTest::newRow("family card") << out << u"亲属卡-超市购物"_s << u"长辈"_s;
        QTest::newRow("mutual aid share") << out << u"相互宝分摊"_s << u"医疗"_s;
        QTest::newRow("membership inside a company name")
            << out << u"蚂蚁会员(北京)网络技术服务有限公司"_s << QString();
        QTest::newRow("a real membership") << out << u"腾讯视频VIP会员连续包月"_s << u"数码"_s;
        QTest::newRow("utility") << out << u"国网上海市电力公司"_s << u"电费"_s;
        QTest::newRow("property fee") << out << u"2024年3月物业费"_s << u"住房"_s;
        QTest::newRow("latin any case") << out << u"KfC 宅急送"_s << u"餐饮"_s;
        QTest::newRow("latin only whole words") << out << u"shop"_s << QString();
        QTest::newRow("expense word is no income") << in << u"麦当劳"_s << QString();
        QTest::newRow("payroll") << in << u"代发工资"_s << u"工资"_s;
        QTest::newRow("interest") << in << u"活期结息"_s << u"投资理财"_s;
        QTest::newRow("refund") << in << u"美团订单-退款"_s << u"退款"_s;
        QTest::newRow("red packet received") << in << u"微信红包"_s << u"红包礼金"_s;
        QTest::newRow("nothing known") << out << u"某某工作室"_s << QString();
        QTest::newRow("empty") << out << QString() << QString();
    }
    void merchants()
    {
        QFETCH(EntryKind, kind);
        QFETCH(QString, text);
        QFETCH(QString, category);
        QCOMPARE(CategoryWordTable::merchants().findIn(text, kind).value_or(QString()), category);
    }

    void peerNames_data()
    {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("category"); // empty: none

        const EntryKind out = EntryKind::expense;
        const EntryKind in = EntryKind::income;
        QTest::newRow("one word") << out << u"Groceries"_s << u"买菜"_s;
        QTest::newRow("ampersand for and") << out << u"Auto & Transport"_s << u"交通"_s;
        QTest::newRow("blanks and case") << out << u"  GAS   &  FUEL "_s << u"加油费"_s;
        QTest::newRow("the later word of a longer name") << out << u"Home Phone"_s << u"话费"_s;
        QTest::newRow("chinese default tree") << out << u"早午晚餐"_s << u"餐饮"_s;
        QTest::newRow("salary is income") << in << u"Salary"_s << u"工资"_s;
        QTest::newRow("salary is no expense") << out << u"Salary"_s << QString();
        QTest::newRow("interest income") << in << u"Interest Income"_s << u"投资理财"_s;
        QTest::newRow("unknown") << out << u"Zorbling"_s << QString();
    }
    void peerNames()
    {
        QFETCH(EntryKind, kind);
        QFETCH(QString, name);
        QFETCH(QString, category);
        QCOMPARE(CategoryWordTable::peerNames().nameOf(name, kind).value_or(QString()), category);
    }

    void rowsOfOtherCategoriesAreLeftOut()
    {
        const CategoryWordTable table = CategoryWordTable::fromText(
            u"# comment\n支出\t餐饮\t面馆|粉店\n支出\t工资\t薪水\n收入\t工资\t薪水\n*\t-\t面馆老板\nbroken line\n"_s);
        QCOMPARE(table.findIn(u"粉店"_s, EntryKind::expense), std::optional<QString>(u"餐饮"_s));
        QCOMPARE(table.findIn(u"薪水"_s, EntryKind::expense), std::nullopt);
        QCOMPARE(table.findIn(u"薪水"_s, EntryKind::income), std::optional<QString>(u"工资"_s));
        QCOMPARE(table.findIn(u"面馆老板"_s, EntryKind::expense), std::nullopt);
    }
};

PENNYLOOM_TEST(CategoryWordTableTest)
#include "tst_CategoryWordTable.moc"
