// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestRegistry.h"

#include "model/EntryKind.h"
#include "model/LedgerCategories.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString fallback()
{
    return QString::fromUtf16(LedgerCategories::fallbackIcon);
}

QStringList allNames()
{
    return LedgerCategories::expenses() + LedgerCategories::incomes();
}

} // namespace

class CategoriesTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void counts()
    {
        QCOMPARE(LedgerCategories::expenses().size(), 52);
        QCOMPARE(LedgerCategories::incomes().size(), 8);
    }

    void notableRows_data()
    {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");

        QTest::newRow("first expense") << EntryKind::expense << 0 << u"餐饮"_s;
        QTest::newRow("takeout is tenth") << EntryKind::expense << 9 << u"外卖"_s;
        QTest::newRow("last expense") << EntryKind::expense << 51 << u"其它"_s;
        QTest::newRow("first income") << EntryKind::income << 0 << u"工资"_s;
        QTest::newRow("last income") << EntryKind::income << 7 << u"其他收入"_s;
    }

    void notableRows()
    {
        QFETCH(EntryKind, kind);
        QFETCH(int, index);
        QFETCH(QString, name);

        const QStringList &list = LedgerCategories::forKind(kind);
        QVERIFY(index < list.size());
        QCOMPARE(list.at(index), name);
    }

    void namesAreDistinctAndNonEmpty()
    {
        const QStringList names = allNames();
        QCOMPARE(names.size(), 60);
        const QSet<QString> unique(names.cbegin(), names.cend());
        QCOMPARE(unique.size(), 60);
        for (const QString &name : names) {
            QVERIFY2(!name.isEmpty(), "empty category name");
            QVERIFY2(name.trimmed() == name, qPrintable(name));
        }
    }

    void twoWordsForOther()
    {
        // The expense list ends in 其它, the income list in 其他收入; 其他 alone is neither.
        QVERIFY(LedgerCategories::expenses().contains(u"其它"_s));
        QVERIFY(!LedgerCategories::incomes().contains(u"其它"_s));
        QVERIFY(LedgerCategories::incomes().contains(u"其他收入"_s));
        QVERIFY(!allNames().contains(u"其他"_s));
    }

    void everyCategoryHasItsOwnIcon()
    {
        for (const QString &name : allNames()) {
            const QString icon = LedgerCategories::icon(name);
            QVERIFY2(!icon.isEmpty(), qPrintable(name));
            QVERIFY2(icon != fallback(), qPrintable(name));
        }
    }

    void iconCount()
    {
        // 60 categories share four icons pairwise, so 56 different icons.
        QSet<QString> icons;
        for (const QString &name : allNames())
            icons.insert(LedgerCategories::icon(name));
        QCOMPARE(icons.size(), 56);
        QVERIFY(!icons.contains(fallback()));
    }

    void icon_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("icon");

        QTest::newRow("takeout") << u"外卖"_s << u"takeoutbag.and.cup.and.straw.fill"_s;
        QTest::newRow("expense other 其它") << u"其它"_s << u"shippingbox.fill"_s;
        QTest::newRow("income other") << u"其他收入"_s << u"plus.circle.fill"_s;
        QTest::newRow("first expense") << u"餐饮"_s << u"fork.knife"_s;
        QTest::newRow("first income") << u"工资"_s << u"banknote.fill"_s;
        QTest::newRow("其他 is not a category") << u"其他"_s << fallback();
        QTest::newRow("empty") << QString() << fallback();
        QTest::newRow("leading space") << u" 外卖"_s << fallback();
        QTest::newRow("trailing space") << u"外卖 "_s << fallback();
        QTest::newRow("trailing newline") << u"外卖\n"_s << fallback();
        QTest::newRow("ideographic space") << u"外卖\u3000"_s << fallback();
        QTest::newRow("prefix of a name") << u"红包礼"_s << fallback();
        QTest::newRow("name twice") << u"餐饮餐饮"_s << fallback();
        QTest::newRow("traditional script") << u"餐飲"_s << fallback();
        QTest::newRow("icon identifier as name") << u"fork.knife"_s << fallback();
        QTest::newRow("kind text") << u"支出"_s << fallback();
    }

    void icon()
    {
        QFETCH(QString, category);
        QFETCH(QString, icon);
        QCOMPARE(LedgerCategories::icon(category), icon);
    }

    void sharedIcons_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("icon");

        QTest::newRow("parcel and other") << u"快递"_s << u"其它"_s << u"shippingbox.fill"_s;
        QTest::newRow("idol and bonus") << u"追星"_s << u"奖金"_s << u"star.fill"_s;
        QTest::newRow("red packet out and in") << u"红包"_s << u"红包礼金"_s << u"envelope.fill"_s;
        QTest::newRow("children and elders") << u"育儿"_s << u"长辈"_s << u"figure.and.child.holdinghands"_s;
    }

    void sharedIcons()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, icon);
        QCOMPARE(LedgerCategories::icon(first), icon);
        QCOMPARE(LedgerCategories::icon(second), icon);
    }

    void incomeKindSharesIconWithOtherIncome()
    {
        QCOMPARE(LedgerCategories::icon(u"其他收入"_s), EntryKinds::symbol(EntryKind::income));
    }

    void firstFor_data()
    {
        QTest::addColumn<EntryKind>("kind");
        QTest::addColumn<QString>("first");

        QTest::newRow("expense") << EntryKind::expense << u"餐饮"_s;
        QTest::newRow("income") << EntryKind::income << u"工资"_s;
    }

    void firstFor()
    {
        QFETCH(EntryKind, kind);
        QFETCH(QString, first);
        QCOMPARE(LedgerCategories::firstFor(kind), first);
    }

    void forKind()
    {
        QCOMPARE(&LedgerCategories::forKind(EntryKind::expense), &LedgerCategories::expenses());
        QCOMPARE(&LedgerCategories::forKind(EntryKind::income), &LedgerCategories::incomes());
    }
};

PENNYLOOM_TEST(CategoriesTest)
#include "tst_Categories.moc"
