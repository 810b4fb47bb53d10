#include "TestRegistry.h"
#include "TestSupport.h"

#include "model/Money.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QLocale chinaChinese()
{
    return QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
}

} // namespace

class MoneyTest final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void chineseChina_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");

        QTest::newRow("zero") << 0.0 << u"¥0.00"_s;
        QTest::newRow("negative zero") << -0.0 << u"¥0.00"_s;
        QTest::newRow("whole number") << 3.0 << u"¥3.00"_s;
        QTest::newRow("one fraction digit") << 1234.5 << u"¥1,234.50"_s;
        QTest::newRow("just below grouping") << 999.99 << u"¥999.99"_s;
        QTest::newRow("first grouped") << 1000.0 << u"¥1,000.00"_s;
        QTest::newRow("negative") << -8.0 << u"-¥8.00"_s;
        QTest::newRow("negative grouped") << -1234.5 << u"-¥1,234.50"_s;
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << u"¥0.30"_s;

        // Exact binary ties: halves go to the even cent.
        QTest::newRow("tie 0.125 down") << 0.125 << u"¥0.12"_s;
        QTest::newRow("tie 0.375 up") << 0.375 << u"¥0.38"_s;
        QTest::newRow("tie 0.625 down") << 0.625 << u"¥0.62"_s;
        QTest::newRow("tie 0.875 up") << 0.875 << u"¥0.88"_s;
        QTest::newRow("tie 1024.125 down, grouped") << 1024.125 << u"¥1,024.12"_s;
        QTest::newRow("negative tie -0.125") << -0.125 << u"-¥0.12"_s;
        QTest::newRow("negative tie -0.375") << -0.375 << u"-¥0.38"_s;
        QTest::newRow("just above a tie") << 0.126 << u"¥0.13"_s;
        QTest::newRow("more than two digits") << 2.999 << u"¥3.00"_s;

        QTest::newRow("millions") << 1234567.891 << u"¥1,234,567.89"_s;
        QTest::newRow("negative millions") << -1234567.891 << u"-¥1,234,567.89"_s;
        QTest::newRow("billion") << 1e9 << u"¥1,000,000,000.00"_s;
        QTest::newRow("2^53") << 9007199254740992.0 << u"¥9,007,199,254,740,992.00"_s;

        // Amounts that round to zero cents never show a minus sign.
        QTest::newRow("0.3 - 0.1 - 0.2 residue") << 0.3 - 0.1 - 0.2 << u"¥0.00"_s;
        QTest::newRow("tiny positive") << 1e-12 << u"¥0.00"_s;
        QTest::newRow("-0.004") << -0.004 << u"¥0.00"_s;
        QTest::newRow("-0.005 ties to zero") << -0.005 << u"¥0.00"_s;
        QTest::newRow("0.005 ties to zero") << 0.005 << u"¥0.00"_s;
        QTest::newRow("-0.0051 rounds away") << -0.0051 << u"-¥0.01"_s;
        QTest::newRow("0.0051 rounds away") << 0.0051 << u"¥0.01"_s;
    }

    void chineseChina()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        TestSupport::ScopedLocale locale(chinaChinese());
        QCOMPARE(Money::text(amount), text);
    }

    void englishUnitedStates_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");

        // Outside China the yuan carries the country prefix.
        QTest::newRow("zero") << 0.0 << u"CN¥0.00"_s;
        QTest::newRow("whole number") << 3.0 << u"CN¥3.00"_s;
        QTest::newRow("grouped") << 1234567.891 << u"CN¥1,234,567.89"_s;
        QTest::newRow("negative") << -8.0 << u"-CN¥8.00"_s;
        QTest::newRow("tie") << 0.375 << u"CN¥0.38"_s;
        QTest::newRow("residue") << 0.3 - 0.1 - 0.2 << u"CN¥0.00"_s;
    }

    void englishUnitedStates()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        TestSupport::ScopedLocale locale(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(Money::text(amount), text);
    }

    void followsDefaultLocaleAtEachCall()
    {
        TestSupport::ScopedLocale outer(chinaChinese());
        QCOMPARE(Money::text(1234.5), u"¥1,234.50"_s);
        {
            TestSupport::ScopedLocale inner(QLocale(QLocale::English, QLocale::UnitedStates));
            QCOMPARE(Money::text(1234.5), u"CN¥1,234.50"_s);
        }
        {
            // German groups with dots and writes the decimal comma, sign after the number.
            TestSupport::ScopedLocale inner(QLocale(QLocale::German, QLocale::Germany));
            const QString text = Money::text(1234.5);
            QVERIFY2(text.startsWith(u"1.234,50"), qPrintable(text));
            QVERIFY2(text.endsWith(u"¥"), qPrintable(text));
        }
        // Back to the first locale: its cached formatter serves again.
        QCOMPARE(Money::text(1234.5), u"¥1,234.50"_s);
        QCOMPARE(Money::text(-8), u"-¥8.00"_s);
    }
};

PENNYLOOM_TEST(MoneyTest)
#include "tst_Money.moc"
